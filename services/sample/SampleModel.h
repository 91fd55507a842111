#pragma once
// The sample project's content before it is written: wells with their
// surveys, the strat columns, and the tops of each well, made on demand so
// that a million of them never sit in memory at once.

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "services/TeskUniversalLoader/MinimumCurvature.h"
#include "services/sample/SampleProject.h"

namespace tesk::sample::detail {

struct Date {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

struct Formation {
    std::string column;
    int id = 0;
    std::string name;
    int sequence = 0;
    std::string color;
    double ageMa = 0;
    double subsea = 0;  // depth below sea level at the field's centre, feet
    std::string description;
};

struct Well {
    std::string id, name, operatorName, status, field, stratColumn;
    double longitude = 0, latitude = 0;  // surface, degrees
    double x = 0, y = 0;                 // surface in the database coordinate system
    double kb = 0, ground = 0, totalDepth = 0;
    Date spud, completion;
    bool deviated = false;
    std::vector<survey::Station> stations;
    survey::Points points;
    std::vector<survey::PointAngles> angles;  // one per point: the station it was computed from
    double dip = 0;  // feet the formations deepen here against the field centre
};

struct Top {
    const Formation* formation = nullptr;
    std::string source;
    int observation = 1;
    double md = 0, tvd = 0, subsea = 0;
    std::string interpreter;
    int quality = 0;
    Date pickDate;
    std::string remarks;
};

struct FaultPick {
    std::string fault, source;
    double md = 0, tvd = 0, subsea = 0, throwFt = 0;
    std::string interpreter;
};

class Model {
public:
    Model(const SampleOptions& options, bool geographic);

    std::vector<Formation> formations;
    std::vector<Well> wells;
    int datelineWells = 0;

    // The tops of one well: `count` of them, or with count < 0 its natural set.
    void ForEachTop(size_t wellIndex, int64_t count, const std::function<void(const Top&)>& emit) const;
    std::vector<FaultPick> FaultPicks(size_t wellIndex) const;

    const std::vector<const Formation*>& ColumnOf(const Well& w) const;

private:
    void makeWell(int index, int datelineIndex);  // datelineIndex < 0: a Gulf well
    std::mt19937 m_rng;
    std::vector<const Formation*> m_gulf, m_aleutian;
};

// Tops sources and interpreters, shared by the writer.
extern const char* const kInterpreters[4];

double Uniform(std::mt19937& rng, double lo, double hi);

} // namespace tesk::sample::detail
