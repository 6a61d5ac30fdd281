#include "bench/Results.h"

#include <cstdio>

namespace {

// 100000 -> "100,000"
std::string Grouped(long long value) {
    const std::string digits = std::to_string(value);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += ',';
        }
        grouped += digits[i];
    }
    return grouped;
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Seconds in the unit that suits them, three significant digits or so.
std::string Duration(double seconds) {
    if (seconds >= 1) return Format("%.2f s", seconds);
    if (seconds >= 1e-3) return Format("%.2f ms", seconds * 1e3);
    return Format("%.1f us", seconds * 1e6);
}

std::string Amount(const Row& row, double value) {
    switch (row.unit) {
        case Unit::Bytes: return Grouped(static_cast<long long>(value)) + " B";
        case Unit::Count: return Grouped(static_cast<long long>(value));
        case Unit::Seconds: break;
    }
    return Duration(value);
}

std::string Target(const Row& row) {
    if (row.margin > 0) return "<= floor + " + Amount(row, row.margin);
    if (!row.absolute) return Format("<= %.2f", row.target);
    return "<= " + Amount(row, row.target);
}

std::string PerEntry(const Row& row) {
    if (!row.perEntry || row.size <= 0) return "";
    return Format("%.2f us", row.medians.subject / static_cast<double>(row.size) * 1e6);
}

}  // namespace

void PrintTable(const std::vector<Row>& rows, const std::string& title) {
    std::printf("\n%s\n\n", title.c_str());
    std::printf("| What | N | Time | Floor | Floor time | Ratio | Target | Per entry | |\n");
    std::printf("|---|--:|--:|---|--:|--:|--:|--:|---|\n");
    for (const Row& row : rows) {
        std::printf("| %s | %s | %s | %s | %s | %s | %s | %s | %s |\n", row.what.c_str(),
                    row.size > 0 ? Grouped(row.size).c_str() : "", Amount(row, row.medians.subject).c_str(),
                    row.floorName.c_str(), Amount(row, row.medians.floor).c_str(),
                    row.absolute ? "" : Format("%.2f", row.Ratio()).c_str(), Target(row).c_str(), PerEntry(row).c_str(),
                    row.Met() ? "met" : "MISSED");
    }
    for (const std::string& note : Notes()) {
        std::printf("\n%s\n", note.c_str());
    }
    std::fflush(stdout);
}

std::vector<std::string>& Notes() {
    static std::vector<std::string> notes;
    return notes;
}

void WritePerEntryData(const std::vector<Row>& rows, const std::vector<std::string>& subjects,
                       const std::string& fileName) {
    std::FILE* file = std::fopen(fileName.c_str(), "w");
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", fileName.c_str());
        return;
    }
    for (const std::string& subject : subjects) {
        std::fprintf(file, "# %s\n", subject.c_str());
        for (const Row& row : rows) {
            if (row.what == subject && row.size > 0) {
                std::fprintf(file, "%lld %.4f\n", row.size, row.medians.subject / static_cast<double>(row.size) * 1e6);
            }
        }
        std::fprintf(file, "\n\n");  // a new data set for each subject
    }
    std::fclose(file);
}
