// How right the moduli are, and how often a wrong one goes unflagged: Hertz
// impacts with a known modulus, clean and with the artifacts of field
// records, through the whole conditioning chain, one table row per condition
// and sample interval.
//
//   tarvel-accuracy-sweep [--repeats N]
//
// Errors are against the half-space modulus the generator used. "flagged" is
// the share of points with an error or warning flag; the last two columns
// count points more than 10 % and 25 % off (Ed or Er) that carry neither;
// "calib" is the area's calibration ratio, then the flags seen with the
// number of points carrying each.
#include "analysis/conditioning.h"
#include "analysis/results.h"
#include "analysis/synthetic.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace tarvel::bench {
namespace {

struct Condition {
    std::string name;
    RecordArtifacts artifacts;
    double noiseCounts = 0; // before, during and after the contact
    BallParameters ball;
};

BallParameters lightBall() {
    BallParameters ball;
    ball.mass = 4;
    ball.radius = 0.05;
    return ball;
}

std::vector<Condition> conditions() {
    std::vector<Condition> list;
    const auto add = [&](const std::string& name, auto change) {
        Condition condition;
        condition.name = name;
        change(condition);
        list.push_back(condition);
    };
    add("clean", [](Condition&) {});
    add("clean, 4 kg ball", [](Condition& c) { c.ball = lightBall(); });
    add("noise 1", [](Condition& c) { c.noiseCounts = 1; });
    add("noise 5", [](Condition& c) { c.noiseCounts = 5; });
    add("noise 20", [](Condition& c) { c.noiseCounts = 20; });
    for (double offset : {1.0, -1.0, 5.0, -20.0, 20.0})
        add("offset " + std::to_string(static_cast<int>(offset)),
            [offset](Condition& c) { c.artifacts.offsetCounts = offset; });
    for (double hum : {2.0, 10.0, 50.0}) {
        add("hum 50 Hz " + std::to_string(static_cast<int>(hum)),
            [hum](Condition& c) { c.artifacts.hum50Counts = hum; });
        add("hum 60 Hz " + std::to_string(static_cast<int>(hum)),
            [hum](Condition& c) { c.artifacts.hum60Counts = hum; });
    }
    add("drift 200", [](Condition& c) { c.artifacts.driftCounts = 200; });
    add("drift -200", [](Condition& c) { c.artifacts.driftCounts = -200; });
    add("offset 3, hum 10, drift 50, noise 2", [](Condition& c) {
        c.artifacts.offsetCounts = 3;
        c.artifacts.hum50Counts = 10;
        c.artifacts.driftCounts = 50;
        c.noiseCounts = 2;
    });
    for (double share : {0.05, 0.2, 0.4})
        add("late trigger " + std::to_string(static_cast<int>(share * 100)) + " %",
            [share](Condition& c) { c.artifacts.lateTriggerShare = share; });
    add("soft start 10 % over 1 ms", [](Condition& c) {
        c.artifacts.precursorShare = 0.1;
        c.artifacts.precursorMs = 1;
    });
    add("soft start 30 % over 1.5 ms", [](Condition& c) {
        c.artifacts.precursorShare = 0.3;
        c.artifacts.precursorMs = 1.5;
    });
    add("ringing 2 % at 2 kHz", [](Condition& c) { c.artifacts.ringingShare = 0.02; });
    for (double over : {0.1, 0.3, 0.6})
        add("clipped " + std::to_string(static_cast<int>(over * 100)) + " % over",
            [over](Condition& c) { c.artifacts.overRange = over; });
    return list;
}

const std::vector<double> kModuli = {5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500};

double median(std::vector<double> values) {
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double worst(const std::vector<double>& values) {
    double most = 0;
    for (double value : values)
        most = std::isfinite(value) ? std::max(most, value) : INFINITY;
    return values.empty() ? NAN : most;
}

double percentOff(double value, double truth) {
    return std::abs(value / truth - 1) * 100;
}

struct Totals {
    int points = 0;
    int unflaggedOver10 = 0;
    int unflaggedOver25 = 0;
};

void sweep(const Condition& condition, float dt, int repeats, Totals& totals) {
    SyntheticArea area;
    area.rows = repeats;
    area.columns = static_cast<int>(kModuli.size());
    area.moduliMPa = kModuli;
    area.sampleCount = 4096;
    area.sampleIntervalUs = dt;
    area.preTriggerSamples = static_cast<int>(5120 / dt); // 5 ms before the contact
    area.baselineNoiseCounts = condition.noiseCounts;
    area.contactNoiseCounts = condition.noiseCounts;
    area.artifacts = condition.artifacts;
    area.ball = condition.ball;
    area.seed = static_cast<uint32_t>(std::hash<std::string>{}(condition.name) + dt);
    NamePipeFile file = makeSyntheticArea(area, "sweep");
    ConditioningWorkspace workspace;
    conditionFile(file, workspace);

    std::vector<double> ed, er, fitEd, fitEr;
    int flagged = 0, over10 = 0, over25 = 0;
    std::map<std::string, int> seen;
    for (std::size_t i = 0; i < file.points.size(); ++i) {
        const PointResults& r = file.points[i].results;
        const double truth = kModuli[i % kModuli.size()];
        const double edOff = percentOff(r.deformationModulus, truth);
        const double erOff = percentOff(r.resilientModulus, truth);
        ed.push_back(edOff);
        er.push_back(erOff);
        fitEd.push_back(percentOff(r.fitDeformationModulus, truth));
        fitEr.push_back(percentOff(r.fitResilientModulus, truth));
        for (QualityFlag flag : r.flags.list())
            ++seen[labelOf(flag).key];
        FlagSeverity level = FlagSeverity::Info;
        const bool warned = r.flags.level(level) && level != FlagSeverity::Info;
        flagged += warned;
        const double off =
            std::isfinite(edOff) && std::isfinite(erOff) ? std::max(edOff, erOff) : INFINITY;
        over10 += !warned && off > 10;
        over25 += !warned && off > 25;
    }
    const int n = static_cast<int>(file.points.size());
    std::string flags;
    for (const auto& [key, count] : seen)
        flags += " " + key + ":" + std::to_string(count);
    std::printf("%-36s %4.0f %4d %7.2f %7.2f %7.2f %7.2f %7.2f %7.2f %7.1f %5d %5d %6.3f %s\n",
                condition.name.c_str(), dt, n, median(ed), worst(ed), median(er), worst(er),
                worst(fitEd), worst(fitEr), 100.0 * flagged / n, over10, over25,
                computeAreaCalibration(file).ratio, flags.c_str());
    totals.points += n;
    totals.unflaggedOver10 += over10;
    totals.unflaggedOver25 += over25;
}

} // namespace
} // namespace tarvel::bench

int main(int argc, char** argv) {
    int repeats = 4;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--repeats") == 0)
            repeats = std::max(1, std::atoi(argv[++i]));
    std::printf("%-36s %4s %4s %7s %7s %7s %7s %7s %7s %7s %5s %5s %6s %s\n", "condition", "dt",
                "n", "Ed med", "Ed max", "Er med", "Er max", "fitEd", "fitEr", "flagged", ">10%",
                ">25%", "calib", "flags (points)");
    std::printf("%-36s %4s %4s %7s %7s %7s %7s %7s %7s %7s %5s %5s\n", "", "us", "", "%", "%", "%",
                "%", "max %", "max %", "%", "bare", "bare");
    tarvel::bench::Totals totals;
    for (const auto& condition : tarvel::bench::conditions())
        for (float dt : {10.0f, 20.0f, 50.0f})
            tarvel::bench::sweep(condition, dt, repeats, totals);
    std::printf(
        "\n%d points; unflagged more than 10 %% off: %d (%.2f %%); more than 25 %% off: %d\n",
        totals.points, totals.unflaggedOver10, 100.0 * totals.unflaggedOver10 / totals.points,
        totals.unflaggedOver25);
}
