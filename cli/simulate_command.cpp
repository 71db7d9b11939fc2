// tarvel-cli simulate: writes a project of synthetic Hertz impacts.
#include "analysis/synthetic.h"
#include "cli_common.h"

#include <iostream>
#include <stdexcept>

namespace tarvel::cli {
namespace {

double toNumber(const std::string& option, const std::string& text, double low, double high) {
    try {
        std::size_t used = 0;
        double value = std::stod(text, &used);
        if (used == text.size() && value >= low && value <= high)
            return value;
    } catch (...) {
    }
    throw std::invalid_argument(option + " expects a number from " + std::to_string(low) + " to " +
                                std::to_string(high) + ", not '" + text + "'");
}

int toInteger(const std::string& option, const std::string& text, int low, int high) {
    double value = toNumber(option, text, low, high);
    if (value != static_cast<int>(value))
        throw std::invalid_argument(option + " expects a whole number, not '" + text + "'");
    return static_cast<int>(value);
}

} // namespace

int runSimulateCommand(const std::vector<std::string>& args) {
    std::string outDir;
    int areaCount = 2;
    int rows = 5, columns = 5;
    std::vector<std::string> patterns;
    SyntheticProject project;
    project.projectFileName = "demo.Prj";
    SyntheticArea base;
    base.unloadingRatio = 1.0;
    base.artifacts.precursorMs = 1;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option.rfind("--", 0) != 0) {
            if (!outDir.empty())
                throw std::invalid_argument("unexpected argument '" + option + "'");
            outDir = option;
            continue;
        }
        if (i + 1 >= args.size())
            throw std::invalid_argument(option + " needs a value");
        const std::string& value = args[++i];
        if (option == "--areas")
            areaCount = toInteger(option, value, 1, 200);
        else if (option == "--rows")
            rows = toInteger(option, value, 1, 100);
        else if (option == "--columns")
            columns = toInteger(option, value, 1, 100);
        else if (option == "--moduli")
            patterns.push_back(value);
        else if (option == "--unload-ratio")
            base.unloadingRatio = toNumber(option, value, 0.2, 5);
        else if (option == "--noise")
            base.contactNoiseCounts = toNumber(option, value, 0, 1000);
        else if (option == "--baseline-noise")
            base.baselineNoiseCounts = toNumber(option, value, 0, 1000);
        else if (option == "--pretrigger")
            base.preTriggerSamples = toInteger(option, value, 0, 4000);
        else if (option == "--interval")
            base.sampleIntervalUs = static_cast<float>(toNumber(option, value, 1, 1000));
        else if (option == "--samples") {
            base.sampleCount = toInteger(option, value, 1024, 4096);
            if (!isSupportedSampleCount(base.sampleCount))
                throw std::invalid_argument("--samples must be 1024, 2048 or 4096");
        } else if (option == "--gain")
            base.gain = static_cast<float>(toNumber(option, value, 0.001, 1000));
        else if (option == "--drop-height")
            base.ball.dropHeight = toNumber(option, value, 0.01, 10);
        else if (option == "--seed")
            base.seed = static_cast<uint32_t>(toInteger(option, value, 0, 1 << 30));
        else if (option == "--offset")
            base.artifacts.offsetCounts = toNumber(option, value, -10000, 10000);
        else if (option == "--drift")
            base.artifacts.driftCounts = toNumber(option, value, -10000, 10000);
        else if (option == "--hum50")
            base.artifacts.hum50Counts = toNumber(option, value, 0, 10000);
        else if (option == "--hum60")
            base.artifacts.hum60Counts = toNumber(option, value, 0, 10000);
        else if (option == "--late-trigger")
            base.artifacts.lateTriggerShare = toNumber(option, value, 0, 0.9);
        else if (option == "--soft-start")
            base.artifacts.precursorShare = toNumber(option, value, 0, 1);
        else if (option == "--soft-start-ms")
            base.artifacts.precursorMs = toNumber(option, value, 0, 20);
        else if (option == "--ringing")
            base.artifacts.ringingShare = toNumber(option, value, 0, 1);
        else if (option == "--over-range")
            base.artifacts.overRange = toNumber(option, value, 0, 10);
        else if (option == "--project")
            project.projectName = value;
        else if (option == "--project-file")
            project.projectFileName = value;
        else
            throw std::invalid_argument("unknown option '" + option + "'");
    }
    if (outDir.empty())
        throw std::invalid_argument("simulate needs an output folder");
    if (patterns.empty())
        patterns.push_back("bump:60:150");

    for (int index = 0; index < areaCount; ++index) {
        SyntheticArea area = base;
        area.areaName = "测区" + std::to_string(index + 1);
        area.fileName = "area-" + std::to_string(index + 1) + ".pip";
        area.rows = rows;
        area.columns = columns;
        area.seed = base.seed + static_cast<uint32_t>(index) * 7919u;
        const std::string& pattern =
            patterns[std::min(static_cast<std::size_t>(index), patterns.size() - 1)];
        area.moduliMPa = modulusPattern(pattern, rows, columns, area.seed);
        if (area.moduliMPa.empty())
            throw std::invalid_argument("bad modulus pattern '" + pattern + "'");
        project.areas.push_back(area);
    }
    std::string error = writeSyntheticProject(outDir, project);
    if (!error.empty())
        throw InputError{error};
    std::cout << "wrote " << project.projectFileName << " and " << areaCount << " area files to "
              << outDir << '\n';
    return kSuccess;
}

} // namespace tarvel::cli
