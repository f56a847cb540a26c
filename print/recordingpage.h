#pragma once

#include "page.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A page that draws nothing and records every operation, for tests.
//
// Measuring rule, chosen so that tests can compute every position by hand:
//   textWidth  = characters x size / 12 units (an average glyph of half an
//                em: 10-point text is 5/6 of a unit per character, whatever
//                the face or weight);
//   textHeight = size x 1.15 / 12 units (10-point text: 0.9583).
// Characters are UTF-8 code points.
namespace gw {

struct PageOp {
    enum class Kind { Begin, Text, Line, Picture, NewPage, End, Abort };
    Kind kind = Kind::Text;
    int page = 1;
    double x = 0, y = 0;    // text and picture: top-left; line: start
    double x2 = 0, y2 = 0;  // line: end; picture: bottom-right
    std::string text{};     // text; picture: the file
    PageFont font{};        // text: the font it was printed in
};

class RecordingPage : public Page {
public:
    explicit RecordingPage(PageSize printable = {90, 60}, std::string driver = "Recording page");

    void beginDocument() override;
    void setFont(const PageFont& font) override { font_ = font; }
    PageFont font() const override { return font_; }
    void drawText(double x, double y, std::string_view text) override;
    double textWidth(std::string_view text) override;
    double textHeight() override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    // The picture fills the box (the recording does not read images); only
    // the file's existence is checked.
    PageSize drawPicture(const std::filesystem::path& file, double x, double y, double maxWidth,
                         double maxHeight) override;
    PageSize pictureSize(const std::filesystem::path& file, double maxWidth, double maxHeight) override;
    void newPage() override;
    void endDocument() override;
    void abortDocument() noexcept override;
    PageSize printableSize() const override { return size_; }
    std::string driverName() const override { return driver_; }
    double currentX() const override { return currentX_; }
    double currentY() const override { return currentY_; }
    int pageNumber() const override { return page_; }

    // Makes drawText throw `error` when its text contains `fragment`.
    void failWhenDrawing(std::string fragment, PrintError error);

    const std::vector<PageOp>& ops() const { return ops_; }
    // The Text operations only, in order.
    std::vector<PageOp> texts() const;
    // The first Text operation whose text contains `fragment`.
    std::optional<PageOp> findText(std::string_view fragment) const;
    // The character count of every textWidth call, in order.
    const std::vector<std::size_t>& measuredLengths() const { return measured_; }
    void clearMeasuredLengths() { measured_.clear(); }

private:
    enum class State { Idle, Open, Ended };
    void ensureOpen();
    void record(PageOp op);

    PageSize size_;
    std::string driver_;
    PageFont font_;
    State state_ = State::Idle;
    int page_ = 1;
    double currentX_ = 0, currentY_ = 0;
    std::vector<PageOp> ops_;
    std::vector<std::size_t> measured_;
    std::string failFragment_;
    std::optional<PrintError> failError_;
};

} // namespace gw
