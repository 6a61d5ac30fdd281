#pragma once

#include <string>
#include <utility>
#include <vector>

#include "bench/Timing.h"

// One line of the table: a subject measured against its floor.
struct Row {
    Row(std::string what_, long long size_, Medians medians_, std::string floorName_, double target_)
        : what(std::move(what_)), size(size_), medians(medians_), floorName(std::move(floorName_)), target(target_) {}

    std::string what;
    long long size = 0;      // N; 0 where the row has no size
    Medians medians;         // seconds, or bytes where `bytes` is set
    std::string floorName;
    double target = 0;       // the highest ratio that meets the target
    bool bytes = false;
    bool perEntry = false;   // show the time per entry

    double Ratio() const { return medians.floor > 0 ? medians.subject / medians.floor : 0; }
    bool Met() const { return Ratio() <= target; }
};

// Prints the rows as one Markdown table.
void PrintTable(const std::vector<Row>& rows, const std::string& title);

// Writes "N microseconds-per-entry" pairs of the rows whose `what` is given, one block per subject,
// for plotting.
void WritePerEntryData(const std::vector<Row>& rows, const std::vector<std::string>& subjects,
                       const std::string& fileName);
