#include "synthetic.h"

#include "data/gbk_text.h"
#include "data/project_file.h"
#include "hertz_pulse.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <sstream>

namespace tarvel {
namespace {

constexpr int kSubsteps = 64; // RK4 steps per sample interval
constexpr double kPi = 3.14159265358979323846;
// Ringing after the contact dies away with this time constant.
constexpr double kRingingDecaySeconds = 0.002;

// Contact force of the loading branch and, after the deepest point, of a
// stiffer (or softer) unloading branch that starts at the same force and
// leaves a permanent dent xp.
struct Contact {
    double loadingK;
    double unloadingK;
    bool unloading = false;
    double dent = 0;

    double force(double x) const {
        double depth = unloading ? x - dent : x;
        if (depth <= 0)
            return 0;
        return (unloading ? unloadingK : loadingK) * depth * std::sqrt(depth);
    }
};

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator))
        parts.push_back(part);
    return parts;
}

bool parseNumber(const std::string& text, double& value) {
    try {
        std::size_t used = 0;
        value = std::stod(text, &used);
        return used == text.size() && std::isfinite(value) && value > 0;
    } catch (...) {
        return false;
    }
}

void copyText(char* field, std::size_t width, const char* text) {
    encodeGbkField(text, field, width);
}

// The artifacts that follow the impact's size: a soft start merged into its
// beginning and ringing after its end (m/s2, like the wave).
void addShareArtifacts(std::vector<double>& wave, const RecordArtifacts& artifacts,
                       const ImpactParameters& impact, double contactStartUs,
                       double sampleIntervalUs) {
    if (artifacts.precursorShare <= 0 && artifacts.ringingShare <= 0)
        return;
    const double peak = *std::max_element(wave.begin(), wave.end());
    const ContactDurations contact = hertzContactDurations(impact);
    const double endUs = contactStartUs + contact.loading + contact.unloading;
    const double riseUs = artifacts.precursorMs * 1000;
    for (std::size_t k = 0; k < wave.size(); ++k) {
        const double t = k * sampleIntervalUs;
        if (riseUs > 0 && std::abs(t - contactStartUs) < riseUs)
            wave[k] += artifacts.precursorShare * peak * 0.5 *
                       (1 + std::cos(kPi * (t - contactStartUs) / riseUs));
        if (t > endUs) {
            const double since = (t - endUs) * 1e-6;
            wave[k] += artifacts.ringingShare * peak *
                       std::sin(2 * kPi * artifacts.ringingHz * since) *
                       std::exp(-since / kRingingDecaySeconds);
        }
    }
}

// Offset, drift and hum of one record, in counts.
std::vector<double> interferenceCounts(const RecordArtifacts& artifacts, int sampleCount,
                                       double sampleIntervalUs, std::mt19937& random) {
    // Phases are drawn only for hum there is, so records without it keep
    // the noise they always had.
    std::uniform_real_distribution<double> angle(0.0, 2 * kPi);
    const double phase50 = artifacts.hum50Counts > 0 ? angle(random) : 0;
    const double phase60 = artifacts.hum60Counts > 0 ? angle(random) : 0;
    std::vector<double> counts(static_cast<std::size_t>(std::max(sampleCount, 0)));
    for (int k = 0; k < sampleCount; ++k) {
        const double t = k * sampleIntervalUs * 1e-6;
        const double along = sampleCount > 1 ? static_cast<double>(k) / (sampleCount - 1) : 0;
        counts[static_cast<std::size_t>(k)] =
            artifacts.offsetCounts + artifacts.driftCounts * (along - 0.5) +
            artifacts.hum50Counts * std::sin(2 * kPi * 50 * t + phase50) +
            artifacts.hum60Counts * std::sin(2 * kPi * 60 * t + phase60);
    }
    return counts;
}

} // namespace

double hertzStiffness(const BallParameters& ball, double materialModulusPa,
                      double materialPoisson) {
    double inverse = (1 - ball.poisson * ball.poisson) / ball.modulus +
                     (1 - materialPoisson * materialPoisson) / materialModulusPa;
    return 4.0 / 3.0 / inverse * std::sqrt(ball.radius);
}

ContactDurations hertzContactDurations(const ImpactParameters& impact) {
    const BallParameters& ball = impact.ball;
    const double loadingK =
        hertzStiffness(ball, impact.loadingModulusMPa * 1e6, impact.materialPoisson);
    const double unloadingK =
        hertzStiffness(ball, impact.unloadingModulusMPa * 1e6, impact.materialPoisson);
    const double m = ball.mass;
    const double v0 = std::sqrt(19.6 * ball.dropHeight);
    // The deepest point of the loading branch, then the unloading branch from
    // rest at the depth it holds above the dent.
    const double deepest = std::pow(5 * m * v0 * v0 / (4 * loadingK), 0.4);
    const double held = deepest * std::pow(loadingK / unloadingK, 2.0 / 3.0);
    const double exitSpeed = std::sqrt(0.8 * unloadingK * std::pow(held, 2.5) / m);
    return {kHertzHalfSpan * deepest / v0 * 1e6, kHertzHalfSpan * held / exitSpeed * 1e6};
}

std::vector<double> simulateImpact(const ImpactParameters& impact, int sampleCount,
                                   double sampleIntervalUs, double contactStartUs) {
    std::vector<double> accel(static_cast<std::size_t>(std::max(sampleCount, 0)), 0.0);
    const BallParameters& ball = impact.ball;
    Contact contact{hertzStiffness(ball, impact.loadingModulusMPa * 1e6, impact.materialPoisson),
                    hertzStiffness(ball, impact.unloadingModulusMPa * 1e6, impact.materialPoisson)};
    const double m = ball.mass;
    const double dtSample = sampleIntervalUs * 1e-6;
    double t = contactStartUs * 1e-6;
    double x = 0;
    double v = std::sqrt(19.6 * ball.dropHeight);

    auto acceleration = [&](double position) { return -contact.force(position) / m; };
    auto step = [&](double h) {
        double k1x = v, k1v = acceleration(x);
        double k2x = v + 0.5 * h * k1v, k2v = acceleration(x + 0.5 * h * k1x);
        double k3x = v + 0.5 * h * k2v, k3v = acceleration(x + 0.5 * h * k2x);
        double k4x = v + h * k3v, k4v = acceleration(x + h * k3x);
        x += h / 6 * (k1x + 2 * k2x + 2 * k3x + k4x);
        v += h / 6 * (k1v + 2 * k2v + 2 * k3v + k4v);
        if (!contact.unloading && v <= 0) {
            contact.unloading = true;
            double ratio = std::pow(contact.loadingK / contact.unloadingK, 2.0 / 3.0);
            contact.dent = x * (1 - ratio);
        }
    };

    int first = static_cast<int>(std::ceil(t / dtSample));
    for (int k = std::max(first, 0); k < sampleCount; ++k) {
        const double target = k * dtSample;
        const double span = target - t;
        if (span > 0) {
            int steps = std::max(1, static_cast<int>(std::ceil(span / dtSample * kSubsteps)));
            const double h = span / steps;
            for (int i = 0; i < steps; ++i)
                step(h);
            t = target;
        }
        if (contact.unloading && x <= contact.dent)
            break; // the ball has left the ground: the reading stays 0
        accel[static_cast<std::size_t>(k)] = contact.force(x) / m;
    }
    return accel;
}

NamePipeFile makeSyntheticArea(const SyntheticArea& area, const std::string& projectName) {
    NamePipeFile file;
    PipHeader& h = file.header;
    copyText(h.projectName, sizeof h.projectName, projectName.c_str());
    copyText(h.areaName, sizeof h.areaName, area.areaName.c_str());
    copyText(h.buildDate, sizeof h.buildDate, "20261120");
    copyText(h.testDate, sizeof h.testDate, "20261201");
    copyText(h.acquireMode, sizeof h.acquireMode, "连续采样");
    copyText(h.sensorType, sizeof h.sensorType, "加速度");
    copyText(h.receiveMode, sizeof h.receiveMode, "人工");
    h.waveSpeed = 1000;
    h.sampleInterval = area.sampleIntervalUs;
    h.channel = 1;
    h.sampleCount = area.sampleCount;
    h.pointTotal = area.rows;
    h.triggerLevel = 1500;
    h.gridColumns = area.columns;
    h.gain = area.gain;
    h.gridRows = static_cast<int8_t>(std::clamp(area.rows, 0, 127));
    h.gridCols = static_cast<int8_t>(std::clamp(area.columns, 0, 127));
    h.pointSpacing = 5;
    h.columnSpacing = 5;
    h.naturalDensity = 1.9f;
    h.slopeCoef = 1;
    h.constTerm = 0;
    h.deflectionCorr = 1;
    h.maxDryDensity = 2.25f;
    h.minDryDensity = 1.55f;
    h.densityA = 0.12f;
    h.densityB = 1.6f;
    h.sensitivity = area.sensitivity;
    h.accelCorrection = 0;
    h.areaType = 0;
    h.dropHeight = static_cast<float>(area.ball.dropHeight);
    h.ballRadius = static_cast<float>(area.ball.radius);
    h.ballMass = static_cast<float>(area.ball.mass);
    h.ballModulus = static_cast<float>(area.ball.modulus);
    h.ballPoisson = static_cast<float>(area.ball.poisson);
    h.materialPoisson = static_cast<float>(area.materialPoisson);
    h.materialCorr = 1;

    // Simulate with the header's single-precision parameters, so a file read
    // back describes exactly the ball that made it.
    ImpactParameters impact;
    impact.ball = {h.ballRadius, h.ballMass, h.ballModulus, h.ballPoisson, h.dropHeight};
    impact.materialPoisson = h.materialPoisson;

    std::mt19937 random(area.seed);
    std::uniform_real_distribution<double> phase(0.0, 1.0);
    const RecordArtifacts& artifacts = area.artifacts;
    const int count = area.rows * area.columns;
    std::vector<std::vector<double>> waves;
    double largest = 0;
    for (int index = 0; index < count; ++index) {
        double modulus =
            area.moduliMPa.empty()
                ? 100
                : area.moduliMPa[static_cast<std::size_t>(index) % area.moduliMPa.size()];
        impact.loadingModulusMPa = modulus;
        impact.unloadingModulusMPa = modulus * area.unloadingRatio;
        double start = (area.preTriggerSamples + phase(random)) * area.sampleIntervalUs;
        if (artifacts.lateTriggerShare > 0) {
            const ContactDurations contact = hertzContactDurations(impact);
            start = -artifacts.lateTriggerShare * (contact.loading + contact.unloading) +
                    phase(random) * area.sampleIntervalUs;
        }
        waves.push_back(simulateImpact(impact, area.sampleCount, area.sampleIntervalUs, start));
        addShareArtifacts(waves.back(), artifacts, impact, start, area.sampleIntervalUs);
        for (double a : waves.back())
            largest = std::max(largest, a);
    }

    // accel = (raw - 32768) * fullScale / 32768 / sensitivity once inverted,
    // and accel must equal a * gain.
    const double peakAccel = std::max(largest * area.gain * area.sensitivity, 1.0);
    h.fullScale = artifacts.overRange > 0
                      ? static_cast<float>(peakAccel / (1 + artifacts.overRange))
                      : static_cast<float>(std::ceil(peakAccel / 0.8 / 100) * 100);
    const double countsPerUnit = 32768.0 * area.gain * area.sensitivity / h.fullScale;

    std::normal_distribution<double> noise(0.0, 1.0);
    file.points.reserve(static_cast<std::size_t>(count) + kMaxMergedWaves);
    for (int index = 0; index < count; ++index) {
        MeasurePoint& point = file.points.emplace_back();
        PointHeader& ph = point.header;
        ph.pointNo = index / std::max(area.columns, 1);
        ph.pointColumn = index % std::max(area.columns, 1);
        ph.params.autoMark = 1;
        ph.params.integrate = 2;
        ph.params.polarity = 2;
        ph.params.filterType = 1;
        ph.params.dcRemoval = 2;
        point.raw.resize(static_cast<std::size_t>(area.sampleCount));
        point.halfCount = area.sampleCount / 2;
        const std::vector<double>& wave = waves[static_cast<std::size_t>(index)];
        const std::vector<double> interference =
            interferenceCounts(artifacts, area.sampleCount, area.sampleIntervalUs, random);
        for (std::size_t k = 0; k < wave.size(); ++k) {
            double counts = wave[k] * countsPerUnit + interference[k];
            double rms = wave[k] > 0 ? area.contactNoiseCounts : area.baselineNoiseCounts;
            if (rms > 0)
                counts += rms * noise(random);
            double stored = std::clamp(std::round(32768 + counts), 0.0, 65535.0);
            point.raw[k] = static_cast<uint16_t>(stored);
        }
    }
    h.pointCount = count;
    return file;
}

ProjectInfo makeSyntheticProjectInfo(const std::string& projectName) {
    ProjectInfo p{};
    encodeGbk(projectName, p.projectName);
    encodeGbk("新城大道路基工程 K12+300 至 K13+100", p.projectAddress);
    encodeGbk("路基填筑", p.projectKind);
    encodeGbk("20261015", p.startDate);
    encodeGbk("示范检测有限公司", p.testingCompany);
    encodeGbk("新城市科技路 88 号", p.companyAddress);
    encodeGbk("JC-2026-001", p.qualificationNo);
    encodeGbk("王工", p.contactPerson);
    encodeGbk("010-12345678", p.contactPhone);
    encodeGbk("100000", p.postCode);
    encodeGbk("落球式回弹模量仪", p.instrumentModel);
    encodeGbk("TV-0017", p.instrumentNo);
    encodeGbk("JD-2026-117", p.calibrationNo);
    encodeGbk("李检测", p.tester);
    encodeGbk("SG-0456", p.permitNo);
    encodeGbk("新城交通建设集团", p.client);
    encodeGbk("20261118", p.commissionDate);
    encodeGbk("新城监理咨询公司", p.supervisor);
    encodeGbk("新城质量监督站", p.authority);
    encodeGbk("新城交通设计院", p.designer);
    encodeGbk("新城路桥工程公司", p.builder);
    encodeGbk("新城交通投资公司", p.owner);
    encodeGbk("新城路桥工程公司", p.contractor);
    encodeGbk("新城勘察院", p.surveyor);
    encodeGbk("BG-2026-0032", p.reportNo);
    encodeGbk("20261205", p.reportDate);
    encodeGbk("JTG 3450", p.testBasis);
    return p;
}

std::string writeSyntheticProject(const std::string& outDir, const SyntheticProject& project) {
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (ec)
        return outDir + ": " + ec.message();
    std::string dir = outDir;
    if (dir.back() != '/')
        dir.push_back('/');
    std::string error = writeProjectFile(dir + project.projectFileName,
                                         makeSyntheticProjectInfo(project.projectName));
    if (!error.empty())
        return dir + project.projectFileName + ": " + error;
    for (const SyntheticArea& area : project.areas) {
        NamePipeFile file = makeSyntheticArea(area, project.projectName);
        std::string path = dir + (area.fileName.empty() ? area.areaName + ".pip" : area.fileName);
        error = writeAreaFile(file, path);
        if (!error.empty())
            return path + ": " + error;
    }
    return {};
}

std::vector<double> modulusPattern(const std::string& pattern, int rows, int columns,
                                   uint32_t seed) {
    const int count = rows * columns;
    std::vector<double> moduli;
    if (rows <= 0 || columns <= 0)
        return moduli;
    std::vector<std::string> parts = split(pattern, ':');
    std::vector<double> values;
    if (parts.size() >= 2) {
        for (std::size_t i = 1; i < parts.size(); ++i) {
            double value = 0;
            if (!parseNumber(parts[i], value))
                return {};
            values.push_back(value);
        }
    }
    const std::string& kind = parts.empty() ? pattern : parts[0];
    if (kind == "uniform" && values.size() == 1) {
        moduli.assign(static_cast<std::size_t>(count), values[0]);
    } else if (kind == "gradient" && values.size() == 2) {
        for (int i = 0; i < count; ++i) {
            double f = rows > 1 ? static_cast<double>(i / columns) / (rows - 1) : 0.0;
            moduli.push_back(values[0] + f * (values[1] - values[0]));
        }
    } else if (kind == "bump" && values.size() == 2) {
        for (int i = 0; i < count; ++i) {
            double r = (i / columns - (rows - 1) / 2.0) / std::max(rows / 2.0, 1.0);
            double c = (i % columns - (columns - 1) / 2.0) / std::max(columns / 2.0, 1.0);
            moduli.push_back(values[0] + (values[1] - values[0]) * std::exp(-2 * (r * r + c * c)));
        }
    } else if (kind == "random" && values.size() == 2) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> pick(values[0], values[1]);
        for (int i = 0; i < count; ++i)
            moduli.push_back(pick(random));
    } else if (parts.size() == 1) {
        for (const std::string& item : split(pattern, ',')) {
            double value = 0;
            if (!parseNumber(item, value))
                return {};
            values.push_back(value);
        }
        if (values.empty())
            return {};
        for (int i = 0; i < count; ++i)
            moduli.push_back(values[static_cast<std::size_t>(i) % values.size()]);
    }
    return moduli;
}

} // namespace tarvel
