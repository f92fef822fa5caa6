// svg.h - a minimal line-plot writer for the demo's pictures.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace demo {

struct Series {
    std::string label, colour;
    std::vector<double> x, y;
};

struct Marker {
    double x, y;
    std::string text;
};

// Writes the series as polylines on shared axes with a simple frame, ticks and labels.
inline bool writeSvg(const std::string& path, const std::string& title, const std::string& xlabel,
                     const std::string& ylabel, const std::vector<Series>& series,
                     const std::vector<Marker>& markers = {}) {
    FILE* f = std::fopen(path.c_str(), "w");
    if (!f) return false;
    const double W = 900, H = 480, L = 70, R = 20, T = 40, B = 55;
    double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
    for (const auto& s : series)
        for (std::size_t i = 0; i < s.x.size(); ++i) {
            x0 = std::min(x0, s.x[i]); x1 = std::max(x1, s.x[i]);
            y0 = std::min(y0, s.y[i]); y1 = std::max(y1, s.y[i]);
        }
    if (!(x1 > x0)) x1 = x0 + 1;
    if (!(y1 > y0)) y1 = y0 + 1;
    const double pad = 0.05 * (y1 - y0);
    y0 -= pad; y1 += pad;
    auto px = [&](double x) { return L + (x - x0) / (x1 - x0) * (W - L - R); };
    auto py = [&](double y) { return H - B - (y - y0) / (y1 - y0) * (H - T - B); };
    std::fprintf(f, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%g\" height=\"%g\" "
                    "font-family=\"sans-serif\" font-size=\"12\">\n", W, H);
    std::fprintf(f, "<rect width=\"100%%\" height=\"100%%\" fill=\"white\"/>\n");
    std::fprintf(f, "<text x=\"%g\" y=\"24\" font-size=\"16\" text-anchor=\"middle\">%s</text>\n", W / 2, title.c_str());
    std::fprintf(f, "<rect x=\"%g\" y=\"%g\" width=\"%g\" height=\"%g\" fill=\"none\" stroke=\"#444\"/>\n",
                 L, T, W - L - R, H - T - B);
    for (int i = 0; i <= 8; ++i) {
        const double xv = x0 + (x1 - x0) * i / 8, yv = y0 + (y1 - y0) * i / 8;
        std::fprintf(f, "<line x1=\"%g\" y1=\"%g\" x2=\"%g\" y2=\"%g\" stroke=\"#ddd\"/>\n", px(xv), T, px(xv), H - B);
        std::fprintf(f, "<line x1=\"%g\" y1=\"%g\" x2=\"%g\" y2=\"%g\" stroke=\"#ddd\"/>\n", L, py(yv), W - R, py(yv));
        std::fprintf(f, "<text x=\"%g\" y=\"%g\" text-anchor=\"middle\">%.4g</text>\n", px(xv), H - B + 16, xv);
        std::fprintf(f, "<text x=\"%g\" y=\"%g\" text-anchor=\"end\">%.4g</text>\n", L - 6, py(yv) + 4, yv);
    }
    std::fprintf(f, "<text x=\"%g\" y=\"%g\" text-anchor=\"middle\">%s</text>\n", (L + W - R) / 2, H - 12, xlabel.c_str());
    std::fprintf(f, "<text transform=\"translate(16 %g) rotate(-90)\" text-anchor=\"middle\">%s</text>\n",
                 (T + H - B) / 2, ylabel.c_str());
    int row = 0;
    for (const auto& s : series) {
        std::fprintf(f, "<polyline fill=\"none\" stroke=\"%s\" stroke-width=\"1.2\" points=\"", s.colour.c_str());
        for (std::size_t i = 0; i < s.x.size(); ++i) std::fprintf(f, "%.1f,%.1f ", px(s.x[i]), py(s.y[i]));
        std::fprintf(f, "\"/>\n");
        std::fprintf(f, "<text x=\"%g\" y=\"%g\" fill=\"%s\" text-anchor=\"end\">%s</text>\n", W - R - 8,
                     T + 16 + 14 * row++, s.colour.c_str(), s.label.c_str());
    }
    for (const auto& m : markers) {
        std::fprintf(f, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"4\" fill=\"none\" stroke=\"#c00\"/>\n", px(m.x), py(m.y));
        std::fprintf(f, "<text x=\"%.1f\" y=\"%.1f\" fill=\"#c00\">%s</text>\n", px(m.x) + 6, py(m.y) - 6, m.text.c_str());
    }
    std::fprintf(f, "</svg>\n");
    return std::fclose(f) == 0;
}

}  // namespace demo
