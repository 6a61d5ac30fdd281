#pragma once

#include <string>
#include <utility>
#include <vector>

#include "bench/Timing.h"

// What a row's figures count.
enum class Unit { Seconds, Bytes, Count };

// One line of the table: a subject measured against its floor.
struct Row {
    Row(std::string what_, long long size_, Medians medians_, std::string floorName_, double target_)
        : what(std::move(what_)), size(size_), medians(medians_), floorName(std::move(floorName_)), target(target_) {}

    std::string what;
    long long size = 0;  // N; 0 where the row has no size
    Medians medians;     // in the row's unit
    std::string floorName;
    double target = 0;  // the highest ratio that meets the target; with `absolute`, the highest figure
    Unit unit = Unit::Seconds;
    bool absolute = false;  // the figure itself is judged; the floor's is shown beside it for comparison
    // What the subject takes beyond its floor is judged, at most `margin`: for rows of a few
    // milliseconds, where a ratio magnifies what no person can notice. The ratio is shown.
    double margin = 0;
    bool perEntry = false;  // show the time per entry

    double Ratio() const { return medians.floor > 0 ? medians.subject / medians.floor : 0; }
    bool Met() const {
        if (absolute) return medians.subject <= target;
        return margin > 0 ? medians.subject - medians.floor <= margin : Ratio() <= target;
    }
};

// Prints the rows as one Markdown table.
void PrintTable(const std::vector<Row>& rows, const std::string& title);

// Writes "N microseconds-per-entry" pairs of the rows whose `what` is given, one block per subject,
// for plotting.
void WritePerEntryData(const std::vector<Row>& rows, const std::vector<std::string>& subjects,
                       const std::string& fileName);

// Lines printed under the table: what a benchmark saw that is no figure (the messages a program
// received, say).
std::vector<std::string>& Notes();
