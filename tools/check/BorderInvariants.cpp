#include <algorithm>
#include <map>
#include <utility>

#include "tools/check/TableInvariants.h"

namespace tessellor::check {

namespace {

// Wider than the rounding of a few hundred share updates, far narrower than any real gap.
constexpr double kShareSumTolerance = 1e-9;

struct NamedBand {
  const std::list<layWND>* band;
  const char* name;
  bool horizontal;
};

std::vector<NamedBand> bandsOf(const BorderLayout& b) {
  return {{&b.north, "north", true}, {&b.west, "west", false}, {&b.east, "east", false}, {&b.south, "south", true}};
}

std::vector<double> sharesOf(const NamedBand& band) {
  std::vector<double> out;
  for (const layWND& record : *band.band) out.push_back(band.horizontal ? record.widthShare : record.heightShare);
  return out;
}

double sum(const std::vector<double>& values) {
  double total = 0.0;
  for (const double v : values) total += v;
  return total;
}

}  // namespace

std::vector<HWND> heldWindows(const BorderLayout& layout) { return layout.heldWindows(); }

void checkBandSharesComplete(const BorderLayout& layout, Findings& findings) {
  for (const NamedBand& band : bandsOf(layout)) {
    const std::vector<double> shares = sharesOf(band);
    if (shares.empty()) continue;
    if (const double total = sum(shares); total < 1.0 - kShareSumTolerance)
      findings.push_back(std::string("the shares of ") + band.name + " sum to " + std::to_string(total));
  }
}

void checkNoBandOverfull(const BorderLayout& layout, Findings& findings) {
  for (const NamedBand& band : bandsOf(layout)) {
    const std::vector<double> shares = sharesOf(band);
    if (shares.empty()) continue;
    const bool allRaised = std::all_of(shares.begin(), shares.end(), [&](double s) { return s == shares[0]; });
    if (const double total = sum(shares); total > 1.0 + kShareSumTolerance && !allRaised)
      findings.push_back(std::string("the shares of ") + band.name + " sum to " + std::to_string(total));
  }
}

void checkBorder(const BorderLayout& b, Findings& findings) {
  std::map<HWND, std::string> cellOf;
  const auto enter = [&](const layWND& record, const char* cell) {
    checkFinite(record.widthShare, "a widthShare", findings);
    checkFinite(record.heightShare, "a heightShare", findings);
    if (record.hwnd == nullptr) return findings.push_back(std::string("a null window in ") + cell);
    const auto [it, fresh] = cellOf.emplace(record.hwnd, cell);
    if (!fresh) findings.push_back(sim::handleText(record.hwnd) + " is in " + it->second + " and in " + cell);
    const int entries = entriesFor(b.placedRects, record.hwnd);
    if (entries != 1) {
      findings.push_back(sim::handleText(record.hwnd) + " in " + cell + " has " + std::to_string(entries) +
                         " placedRects entries");
    }
  };
  for (const NamedBand& band : bandsOf(b)) {
    for (const layWND& record : *band.band) enter(record, band.name);
  }
  if (b.centre.hwnd != nullptr) enter(b.centre, "centre");
  for (const layWND& record : b.parked) {
    checkFinite(record.widthShare, "a parked widthShare", findings);
    checkFinite(record.heightShare, "a parked heightShare", findings);
  }
  checkTableEntries(b.placedRects, "placedRects", findings);
  checkTableEntries(b.originalRects, "originalRects", findings);
  const std::pair<double, const char*> geometry[] = {{b.northWeight, "northWeight"}, {b.westWeight, "westWeight"},
                                                     {b.eastWeight, "eastWeight"},   {b.southWeight, "southWeight"},
                                                     {b.northBottom, "northBottom"}, {b.westRight, "westRight"},
                                                     {b.eastLeft, "eastLeft"},       {b.southTop, "southTop"}};
  for (const auto& [value, name] : geometry) checkFinite(value, name, findings);
  checkBandSharesComplete(b, findings);
}

void checkBorderOnDesktop(const BorderLayout& layout, Platform& platform, Findings& findings) {
  checkBorder(layout, findings);
  checkNoBandOverfull(layout, findings);
  checkPlacedRects(layout.placedRects, heldWindows(layout), platform, findings);
}

}  // namespace tessellor::check
