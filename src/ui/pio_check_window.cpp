#include "ui/pio_check_window.h"

#include <algorithm>

#include "text/numbers.h"

namespace ui {

using platform::Colour;
using platform::Font;
using platform::GadgetKind;
using platform::TextGadget;
using platform::TextWindow;
using platform::WindowPurpose;

namespace {

constexpr int kMaxWidth = 1024;
constexpr int kHeightMargin = 120;
constexpr Colour kNoErrorsBanner{0, 255, 0};
constexpr Colour kErrorsBanner{227, 127, 127};
constexpr Colour kReportBackground{255, 255, 207};
constexpr Colour kBlack{0, 0, 0};

std::u16string bannerText(int errorCount) {
  if (errorCount == 0) return std::u16string(34, u' ') + u"!!!!!!!  No errors !!!!!!";
  return std::u16string(22, u' ') + u"!!!!!!!  " + text::decimal(errorCount) +
         u" error(s) to be resolved  !!!!!!";
}

}  // namespace

TextWindow pioCheckWindow(std::u16string_view versionText, PioCheckTitle title, int errorCount,
                          const std::vector<std::u16string>& reportLines, int desktopWidth,
                          int desktopHeight) {
  TextWindow window;
  window.purpose = WindowPurpose::pioCheck;
  if (title == PioCheckTitle::shown) {
    window.title = u"PIO Check Output - (V" + std::u16string(versionText) +
                   u")    *** Select And CTRL+C To copy To clipboard ***";
  }
  window.width = std::min(desktopWidth, kMaxWidth);
  window.height = desktopHeight - kHeightMargin;
  window.font = Font{u"Courier New", 11};

  TextGadget banner;
  banner.x = 3;
  banner.y = 3;
  banner.width = window.width - 8;
  banner.height = 22;
  banner.kind = GadgetKind::richText;
  banner.wordWrap = true;
  banner.background = errorCount == 0 ? kNoErrorsBanner : kErrorsBanner;
  banner.textColour = kBlack;
  banner.lines = {bannerText(errorCount)};

  TextGadget report;
  report.x = 3;
  report.y = 25;
  report.width = window.width - 8;
  report.height = window.height - 30;
  report.kind = GadgetKind::richText;
  report.wordWrap = false;
  report.background = kReportBackground;
  report.textColour = kBlack;
  report.lines = reportLines;

  window.gadgets = {banner, report};
  return window;
}

}  // namespace ui
