// `plughost response`: the sweep measurement recovers known filters, the plug-in's measured
// bands match the sections the design gives them, and the command plots and writes its table.
#include "tests/tools/PlughostTestSupport.h"
#include "tools/plughost/response/PluginResponse.h"
#include "tools/plughost/response/ResponsePlot.h"
#include "tools/plughost/response/SweepMeasurement.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

using namespace plughost;
using namespace plughost_test;

namespace {

constexpr double kPi = 3.14159265358979323846;

// A sanitizer build checks the memory the measurement touches, the same at every rate, and
// runs ten times slower: one rate is enough there.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr double kRates[] = {48000};
#else
constexpr double kRates[] = {44100, 48000, 96000};
#endif

// The section design as the equaliser states it: V = 10^(|gain| / 20), K = tan(pi Fc).
struct Section {
    double a0 = 1, a1 = 0, a2 = 0, b1 = 0, b2 = 0;

    static Section Peak(double fc, double q, double gain) {
        const double v = std::pow(10.0, std::fabs(gain) / 20), k = std::tan(kPi * fc);
        const double boost = gain >= 0 ? v : 1, cut = gain >= 0 ? 1 : v;
        const double norm = 1 / (1 + cut / q * k + k * k);
        return {(1 + boost / q * k + k * k) * norm, 2 * (k * k - 1) * norm,
                (1 - boost / q * k + k * k) * norm, 2 * (k * k - 1) * norm,
                (1 - cut / q * k + k * k) * norm};
    }
    static Section HighPass(double fc, double q) {
        const double k = std::tan(kPi * fc), norm = 1 / (1 + k / q + k * k);
        return {norm, -2 * norm, norm, 2 * (k * k - 1) * norm, (1 - k / q + k * k) * norm};
    }
    // The response at `hz` for a section running at `rate`.
    std::complex<double> At(double hz, double rate) const {
        const std::complex<double> z = std::polar(1.0, -2 * kPi * hz / rate);
        return (a0 + a1 * z + a2 * z * z) / (1.0 + b1 * z + b2 * z * z);
    }
    double Process(double x, double& z1, double& z2) const {
        const double out = x * a0 + z1;
        z1 = x * a1 + z2 - b1 * out;
        z2 = x * a2 - b2 * out;
        return out;
    }
};

double Db(std::complex<double> h) {
    return 20 * std::log10(std::abs(h));
}

// Largest |measured - expected| in dB over log-spaced frequencies from `low` to `high`.
template <class Expected>
double WorstDeviation(const ChannelResponse& measured, const ChannelResponse* reference,
                      Expected expected, double low, double high) {
    double worst = 0;
    for (double hz = low; hz <= high; hz *= 1.02) {
        double got = Db(measured.At(hz));
        if (reference)
            got -= Db(reference->At(hz));
        worst = std::max(worst, std::fabs(got - Db(expected(hz))));
    }
    return worst;
}

TEST(SweepMeasurement, RecoversAKnownFilterApartFromItsDistortion) {
    const double rate = 48000;
    const Section peak = Section::Peak(1000 / rate, 0.667, 9);
    const SweepMeasurement sweep(SweepSettings{rate, -30, 2});
    // -6 dB and the section, then a soft compression whose third harmonic the analysis must
    // leave out. At the fundamental a cubic term takes 3/4 c a^2 off a sine of amplitude a.
    constexpr double kCubic = 2;
    std::vector<double> output(sweep.Excitation().size());
    double z1 = 0, z2 = 0;
    for (size_t i = 0; i < output.size(); ++i) {
        const double v = 0.5 * peak.Process(sweep.Excitation()[i], z1, z2);
        output[i] = v - kCubic * v * v * v;
    }
    const ChannelResponse response = sweep.Analyse(output);
    const double level = std::pow(10.0, -30 / 20.0);
    const auto expected = [&](double hz) {
        const double a = 0.5 * level * std::abs(peak.At(hz, rate));
        return 0.5 * peak.At(hz, rate) * (1 - 0.75 * kCubic * a * a);
    };
    EXPECT_LT(WorstDeviation(response, nullptr, expected, 10, 0.45 * rate), 0.002);
    for (double hz : {50.0, 1000.0, 5000.0, 15000.0})
        EXPECT_NEAR(std::arg(response.At(hz)), std::arg(expected(hz)), 0.01) << hz << " Hz";
}

// The equaliser's path as the design builds it, for a linear signal: each host sample pushed
// twice into a four-times interpolator (so the sections run at eight times the rate), the
// sections, and the same FIR decimating after the second push. Expanding by eight, filtering
// and keeping every eighth sample is time-invariant; its response sums the eight aliases.
std::complex<double> EqualiserPath(double hz, double rate, const std::vector<Section>& sections) {
    static constexpr double kTaps[16] = {
        -0.00248078931015061,  -0.004570244176216314, -0.004355356208146785, 0,
        0.00795714816545856,   0.014777623526947411,  0.013578369569319975,  0,
        -0.022456715627743595, -0.040914779384992654, -0.03769151644963085,  0,
        0.0706496448477984,    0.15538007457109065,   0.2245335588462797,    0.2511859632599724};
    std::complex<double> sum = 0;
    for (int k = 0; k < 8; ++k) {
        const double w = 2 * kPi * (hz + k * rate) / (8 * rate);
        std::complex<double> fir = 0;
        for (int i = 0; i < 31; ++i)
            fir += kTaps[i < 16 ? i : 30 - i] * std::polar(1.0, -w * i);
        std::complex<double> g = 4.0 * fir * fir * (1.0 + std::polar(1.0, -4 * w));
        for (const Section& s : sections)
            g *= s.At(hz + k * rate, 8 * rate);
        sum += g * std::polar(1.0, 7 * w); // the decimator reads the eighth sample of each eight
    }
    return sum / 8.0;
}

// Each band boosted on the left and cut on the right (channels unlinked), at each of its
// selector values, and the low cut switched on. Measured against the default settings, a band
// must match its section run through the equaliser's oversampling. How far that lies from the
// bare section at eight times the rate is reported: the doubled pushes leave an image of the
// band's response at (rate - f) that folds back onto f, small at low frequencies and large
// near the top.
TEST(PlughostResponse, BandsFollowTheirSectionsAtEightTimesTheRate) {
    if (SorvelBundle().empty())
        GTEST_SKIP() << "the Sorvel bundle is not part of this build";
    std::string error;
    const auto module = Steinberg::Hosting::Module::load(SorvelBundle(), error);
    ASSERT_TRUE(module) << error;

    struct Band {
        const char* gain;
        const char* selector;
        double range;
        std::vector<double> hz; // per selector value
    };
    const Band bands[] = {
        {"HGAIN", "HFREQ", 18, {12000, 15000, 20000}},
        {"MGAIN1", "MFREQ1", 9, {80, 120}},
        {"MGAIN2", "MFREQ2", 4.5, {400, 800, 630}},
        {"MGAIN3", "MFREQ3", 4.5, {1000, 3000, 2000}},
        {"MGAIN4", "MFREQ4", 9, {5000, 8000}},
        {"LGAIN", "LFREQ", 18, {20, 60, 40}},
    };
    for (double rate : kRates) {
        SCOPED_TRACE(std::to_string(static_cast<int>(rate)) + " Hz");
        const double top = 0.95 * rate / 2;
        auto measure = [&](std::vector<std::string> settings) {
            ResponseRequest request;
            request.bundle = SorvelBundle();
            request.settings = std::move(settings);
            request.sweep = SweepSettings{rate, -30, 1};
            request.separatePasses = false; // left/right mode: the channels do not mix
            PluginResponse response;
            EXPECT_TRUE(MeasurePlugin(*module, request, response).ok());
            return response;
        };
        const Section lowCutOff = Section::HighPass(1 / rate * 0.125, 0.667);
        const PluginResponse flat = measure({});
        ASSERT_EQ(flat.channels.size(), 2u);
        // `sections` are the equaliser's sections in the measured setting (the default's
        // differ only by the band in question); `bare` is what the band alone would give.
        auto check = [&](const ChannelResponse& measured, const ChannelResponse& reference,
                         const std::vector<Section>& sections, auto bare, const std::string& what,
                         double& worstModel, double& worstBare, double& worstBareLow) {
            const auto model = [&](double hz) {
                return EqualiserPath(hz, rate, sections) / EqualiserPath(hz, rate, {lowCutOff});
            };
            const double m = WorstDeviation(measured, &reference, model, 10, top);
            EXPECT_LT(m, 0.01) << what;
            worstModel = std::max(worstModel, m);
            worstBare =
                std::max(worstBare, WorstDeviation(measured, &reference, bare, rate / 8, top));
            worstBareLow =
                std::max(worstBareLow, WorstDeviation(measured, &reference, bare, 10, rate / 8));
        };
        double model = 0, bare = 0, bareLow = 0, highModel = 0, highBare = 0, highBareLow = 0;
        for (const Band& band : bands)
            for (size_t value = 0; value < band.hz.size(); ++value) {
                const std::string v = std::to_string(value), g = std::to_string(band.range);
                const PluginResponse r = measure({"LINK=1", std::string(band.selector) + "L=" + v,
                                                  std::string(band.selector) + "R=" + v,
                                                  std::string(band.gain) + "L=" + g,
                                                  std::string(band.gain) + "R=-" + g});
                ASSERT_EQ(r.channels.size(), 2u);
                const bool high = band.selector[0] == 'H';
                for (int c = 0; c < 2; ++c) {
                    const Section peak = Section::Peak(band.hz[value] / rate * 0.125, 0.667,
                                                       c == 0 ? band.range : -band.range);
                    check(
                        r.channels[c], flat.channels[c], {peak, lowCutOff},
                        [&](double hz) { return peak.At(hz, 8 * rate); },
                        std::string(band.gain) + (c ? "R" : "L") + " at " +
                            std::to_string(band.hz[value]) + " Hz",
                        high ? highModel : model, high ? highBare : bare,
                        high ? highBareLow : bareLow);
                }
            }
        double cutModel = 0, cutBare = 0, cutBareLow = 0;
        const PluginResponse cut = measure({"LCUTL=0", "LCUTR=0"});
        const Section lowCutOn = Section::HighPass(25 / rate * 0.125, 0.667);
        check(
            cut.channels[0], flat.channels[0], {lowCutOn},
            [&](double hz) { return lowCutOn.At(hz, 8 * rate) / lowCutOff.At(hz, 8 * rate); },
            "low cut", cutModel, cutBare, cutBareLow);
        std::printf("[ response ] %6.0f Hz, measured against the oversampled sections: bands "
                    "%.4f dB, high band %.4f dB, low cut %.4f dB (10 Hz to %.0f Hz)\n"
                    "[ response ]            against the bare sections: bands %.3f dB to %.0f "
                    "Hz and %.3f dB above; high band %.3f and %.3f dB; low cut %.3f dB\n",
                    rate, model, highModel, cutModel, top, bareLow, rate / 8, bare, highBareLow,
                    highBare, std::max(cutBare, cutBareLow));
    }
}

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
};

Picture LoadPng(const std::string& path) {
    Picture p;
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
        p.width = cairo_image_surface_get_width(s);
        p.height = cairo_image_surface_get_height(s);
        const int stride = cairo_image_surface_get_stride(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                p.pixels.push_back(reinterpret_cast<const std::uint32_t*>(data + y * stride)[x] &
                                   0xFFFFFF);
    }
    cairo_surface_destroy(s);
    return p;
}

TEST(PlughostResponse, CommandPlotsAndTabulatesAndRefusesBadInput) {
    if (SorvelBundle().empty())
        GTEST_SKIP() << "the Sorvel bundle is not part of this build";
    TempDir dir;
    const RunResult boost =
        RunPlughost({"response", SorvelBundle(), "--set", "MGAIN3L=4.5", "--rate", "44100",
                     "--plot", dir.Path("boost.png"), "--csv", dir.Path("boost.csv")});
    ASSERT_EQ(boost.exitCode, 0) << boost.err;
    const RunResult cut = RunPlughost({"response", SorvelBundle(), "--set", "LGAINL=-9",
                                       "--rate=44100", "--plot", dir.Path("cut.png")});
    ASSERT_EQ(cut.exitCode, 0) << cut.err;
    {
        SCOPED_TRACE("the plots: full size, drawn, different for different settings");
        const Picture a = LoadPng(dir.Path("boost.png")), b = LoadPng(dir.Path("cut.png"));
        ASSERT_EQ(a.width, kPlotWidth);
        ASSERT_EQ(a.height, kPlotHeight);
        ASSERT_EQ(b.pixels.size(), a.pixels.size());
        const auto white = std::count(a.pixels.begin(), a.pixels.end(), 0xFFFFFFu);
        EXPECT_LT(white, static_cast<long>(a.pixels.size() * 97 / 100)) << "blank plot";
        long differing = 0;
        for (size_t i = 0; i < a.pixels.size(); ++i)
            differing += a.pixels[i] != b.pixels[i];
        EXPECT_GT(differing, 2000);
    }
    {
        SCOPED_TRACE("the table: a header, one row per frequency, the boost on both channels");
        std::ifstream csv(dir.Path("boost.csv"));
        std::string line;
        std::getline(csv, line);
        EXPECT_EQ(line, "frequency_hz,left_gain_db,left_phase_deg,right_gain_db,right_phase_deg");
        int rows = 0;
        double peakLeft = -100, peakRight = -100;
        while (std::getline(csv, line)) {
            ++rows;
            double hz, gl, pl, gr, pr;
            ASSERT_EQ(std::sscanf(line.c_str(), "%lf,%lf,%lf,%lf,%lf", &hz, &gl, &pl, &gr, &pr), 5)
                << line;
            peakLeft = std::max(peakLeft, gl);
            peakRight = std::max(peakRight, gr);
        }
        EXPECT_EQ(rows, 480);
        EXPECT_NEAR(peakLeft, 4.5, 0.1);
        EXPECT_NEAR(peakRight, 4.5, 0.1) << "the right channel follows the left while linked";
    }
    struct Bad {
        std::vector<std::string> args;
        const char* message;
    };
    const Bad bad[] = {
        {{"response", SorvelBundle()}, "needs --plot FILE.png or --csv FILE"},
        {{"response", SorvelBundle(), "--level", "3", "--csv", dir.Path("x.csv")},
         "--level takes a level from -120 to 0 dBFS"},
        {{"response", SorvelBundle(), "--set", "WOBBLE=1", "--csv", dir.Path("x.csv")},
         "unknown parameter 'WOBBLE'"},
        {{"response", dir.Path("none.vst3"), "--csv", dir.Path("x.csv")}, "cannot load bundle"},
    };
    for (const Bad& b : bad) {
        const RunResult run = RunPlughost(b.args);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_NE(run.err.find(b.message), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_FALSE(std::ifstream(dir.Path("x.csv")).good()) << "a failed measurement wrote a file";
    const RunResult help = RunPlughost({"response", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: plughost response BUNDLE"), std::string::npos);
}

} // namespace
