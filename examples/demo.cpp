// The demo: a small measurement pipeline on the library.
//
//  1. a DTMF key sequence sampled at 8 kHz with noise, decoded block by block with
//     Goertzel values at the eight keypad frequencies;
//  2. the magnitude spectrum of one windowed block through the real DFT, its peaks
//     listed and drawn as an SVG picture (argv[1], default spectrum.svg);
//  3. the envelope of an amplitude-modulated tone from its analytic signal (Hilbert);
//  4. the energy compaction of a smooth signal by the DCT.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "svg.h"
#include "veks.h"

namespace {

constexpr double kFs = 8000.0;
constexpr double kPi = 3.14159265358979323846;
const double kRows[4] = {697, 770, 852, 941};
const double kCols[4] = {1209, 1336, 1477, 1633};
const char kKeys[4][5] = {"123A", "456B", "789C", "*0#D"};

bool check(VekStatus st, const char* what) {
    if (st == vekStsNoErr) return true;
    std::fprintf(stderr, "%s failed with status %d\n", what, int(st));
    return false;
}

// Uniform noise in [-a, a) from a small LCG (the demo needs no quality randomness).
void addNoise(std::vector<float>& x, float a, std::uint32_t seed) {
    std::vector<float> n(x.size());
    for (auto& v : n) {
        seed = seed * 1664525u + 1013904223u;
        v = float(seed >> 8) / float(1 << 24) * 2.0f - 1.0f;
    }
    veksMulC_32f(n.data(), a, n.data(), int(n.size()));
    veksAdd_32f(n.data(), x.data(), x.data(), int(x.size()));
}

void addTone(std::vector<float>& x, std::size_t from, std::size_t len, double f, float amp) {
    for (std::size_t i = 0; i < len; ++i) x[from + i] += amp * float(std::sin(2 * kPi * f * double(i) / kFs));
}

// The key whose row and column tones are strongest in the block, or '?' when the two
// strongest tones do not stand out from the others.
char decodeBlock(const float* x, int n) {
    double pr[4], pc[4];
    for (int i = 0; i < 4; ++i) {
        Vek32fc v;
        veksGoertz_32f(x, n, &v, float(kRows[i] / kFs));
        pr[i] = double(v.re) * v.re + double(v.im) * v.im;
        veksGoertz_32f(x, n, &v, float(kCols[i] / kFs));
        pc[i] = double(v.re) * v.re + double(v.im) * v.im;
    }
    int r = 0, c = 0;
    for (int i = 1; i < 4; ++i) {
        if (pr[i] > pr[r]) r = i;
        if (pc[i] > pc[c]) c = i;
    }
    for (int i = 0; i < 4; ++i)
        if ((i != r && pr[i] * 8 > pr[r]) || (i != c && pc[i] * 8 > pc[c])) return '?';
    return kKeys[r][c];
}

}  // namespace

int main(int argc, char** argv) {
    const VekLibraryVersion* v = veksGetLibVersion();
    std::printf("%s %s, built %s (tag %s, %d.%d.%d r%d)\n\n", v->name, v->version, v->buildDate, v->cpuTag,
                v->major, v->minor, v->update, v->revision);
    const std::string svgPath = argc > 1 ? argv[1] : "spectrum.svg";

    // ---- 1. DTMF: 40 ms per key, 10 ms pauses, noise at a third of the tone level.
    const std::string dialled = "2026*1207#";
    const int keyLen = 320, gap = 80, block = 205;   // 205 samples: the usual Goertzel block at 8 kHz
    std::vector<float> line(dialled.size() * (keyLen + gap), 0.0f);
    for (std::size_t k = 0; k < dialled.size(); ++k)
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                if (kKeys[r][c] == dialled[k]) {
                    addTone(line, k * (keyLen + gap), keyLen, kRows[r], 0.5f);
                    addTone(line, k * (keyLen + gap), keyLen, kCols[c], 0.5f);
                }
    addNoise(line, 0.33f, 7);
    std::string decoded;
    for (std::size_t k = 0; k < dialled.size(); ++k)
        decoded += decodeBlock(line.data() + k * (keyLen + gap) + 40, block);
    std::printf("DTMF  dialled %s, decoded %s by Goertzel values (%s)\n\n", dialled.c_str(), decoded.c_str(),
                decoded == dialled ? "all keys right" : "MISMATCH");

    // ---- 2. Spectrum of a noisy two-tone block through the real DFT.
    const int n = 4096;
    std::vector<float> x(n, 0.0f), win(n), spec(n + 2);
    addTone(x, 0, n, 1000.0, 1.0f);
    addTone(x, 0, n, 2437.5, 0.05f);   // 26 dB below the first tone
    addNoise(x, 0.02f, 11);
    for (int i = 0; i < n; ++i) win[i] = float(0.5 - 0.5 * std::cos(2 * kPi * i / n));   // Hann
    veksMul_32f(win.data(), x.data(), x.data(), n);
    int specBytes, initBytes, workBytes;
    if (!check(veksDFTGetSize_R_32f(n, vekFftScaleNone, vekHintNone, &specBytes, &initBytes, &workBytes), "DFT size"))
        return 1;
    Vek8u* dftSpec = veksMalloc_8u(specBytes);
    Vek8u* init = veksMalloc_8u(initBytes > 0 ? initBytes : 1);
    Vek8u* work = veksMalloc_8u(workBytes > 0 ? workBytes : 1);
    auto* spec32 = reinterpret_cast<VeksDFTSpec_R_32f*>(dftSpec);
    if (!check(veksDFTInit_R_32f(n, vekFftScaleNone, vekHintNone, spec32, init), "DFT init") ||
        !check(veksDFTFwd_RToCCS_32f(x.data(), spec.data(), spec32, work), "DFT"))
        return 1;
    // Magnitude in dB relative to a full-scale tone under the Hann window (gain N/4).
    demo::Series s{"magnitude, dB full scale", "#1f5fa8", {}, {}};
    std::vector<double> db(n / 2 + 1);
    for (int k = 0; k <= n / 2; ++k) {
        const double re = spec[2 * k], im = spec[2 * k + 1];
        db[k] = 10 * std::log10((re * re + im * im) / (double(n) * n / 16) + 1e-20);
        s.x.push_back(k * kFs / n);
        s.y.push_back(db[k]);
    }
    std::vector<demo::Marker> marks;
    std::printf("Spectrum of %d samples (Hann window, real DFT), peaks above -40 dB:\n", n);
    for (int k = 2; k < n / 2 - 1; ++k)
        if (db[k] > -40 && db[k] > db[k - 1] && db[k] >= db[k + 1] && db[k] > db[k - 2] && db[k] >= db[k + 2]) {
            // Parabolic interpolation of the peak on the dB values.
            const double a = db[k - 1], b = db[k], c = db[k + 1], d = 0.5 * (a - c) / (a - 2 * b + c);
            const double f = (k + d) * kFs / n;
            std::printf("  %8.1f Hz  %6.1f dB\n", f, b - 0.25 * (a - c) * d);
            char t[48];
            std::snprintf(t, sizeof t, "%.1f Hz, %.1f dB", f, b);
            marks.push_back({k * kFs / n, b, t});
        }
    if (demo::writeSvg(svgPath, "Noisy two-tone signal: magnitude spectrum", "frequency, Hz", "dB", {s}, marks))
        std::printf("  picture: %s\n\n", svgPath.c_str());

    // ---- 3. Envelope of an AM tone from the analytic signal.
    const int m = 2000;
    std::vector<float> am(m);
    std::vector<Vek32fc> an(m);
    for (int i = 0; i < m; ++i)
        am[i] = float((1.0 + 0.5 * std::cos(2 * kPi * 5.0 * i / kFs)) * std::cos(2 * kPi * 1000.0 * i / kFs));
    int hs, hb;
    veksHilbertGetSize_32f32fc(m, vekHintNone, &hs, &hb);
    Vek8u* hSpec = veksMalloc_8u(hs);
    Vek8u* hBuf = veksMalloc_8u(hb);
    auto* hil = reinterpret_cast<VeksHilbertSpec*>(hSpec);
    if (!check(veksHilbertInit_32f32fc(m, vekHintNone, hil, hBuf), "Hilbert init") ||
        !check(veksHilbert_32f32fc(am.data(), an.data(), hil, hBuf), "Hilbert"))
        return 1;
    double worst = 0;
    for (int i = 200; i < m - 200; ++i) {
        const double env = std::hypot(double(an[i].re), double(an[i].im));
        worst = std::max(worst, std::fabs(env - (1.0 + 0.5 * std::cos(2 * kPi * 5.0 * i / kFs))));
    }
    std::printf("Hilbert  envelope of a 1 kHz tone, 50%% AM at 5 Hz: largest deviation %.4f "
                "(away from the block edges)\n\n", worst);

    // ---- 4. DCT energy compaction of a smooth signal.
    const int q = 512;
    std::vector<float> smooth(q), coef(q);
    for (int i = 0; i < q; ++i) smooth[i] = float(std::exp(-0.5 * std::pow((i - 200.0) / 60.0, 2)) + 0.3 * i / q);
    VeksDCTFwdSpec_32f* dct = nullptr;
    int ds, di, dw;
    veksDCTFwdGetSize_32f(q, vekHintNone, &ds, &di, &dw);
    Vek8u* dSpec = veksMalloc_8u(ds);
    Vek8u* dInit = veksMalloc_8u(di > 0 ? di : 1);
    Vek8u* dWork = veksMalloc_8u(dw > 0 ? dw : 1);
    if (!check(veksDCTFwdInit_32f(&dct, q, vekHintNone, dSpec, dInit), "DCT init") ||
        !check(veksDCTFwd_32f(smooth.data(), coef.data(), dct, dWork), "DCT"))
        return 1;
    double total = 0, acc = 0;
    for (float c : coef) total += double(c) * c;
    int keep = 0;
    while (keep < q && acc < 0.9999 * total) acc += double(coef[keep]) * coef[keep], ++keep;
    std::printf("DCT  %d of %d coefficients hold 99.99%% of the energy of a smooth %d-sample signal\n", keep, q, q);

    for (Vek8u* p : {dftSpec, init, work, hSpec, hBuf, dSpec, dInit, dWork}) veksFree(p);
    return decoded == dialled ? 0 : 1;
}
