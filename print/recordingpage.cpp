#include "recordingpage.h"

#include "charset.h"

#include <utility>

namespace gw {

RecordingPage::RecordingPage(PageSize printable, std::string driver)
    : size_(printable), driver_(std::move(driver))
{
}

void RecordingPage::ensureOpen()
{
    if (state_ == State::Ended)
        throw PrintError(kPrintErrorPrinter, "The document has already ended.");
    if (state_ == State::Idle) {
        state_ = State::Open;
        ops_.push_back({.kind = PageOp::Kind::Begin, .page = page_});
    }
}

void RecordingPage::record(PageOp op)
{
    op.page = page_;
    ops_.push_back(std::move(op));
}

void RecordingPage::beginDocument()
{
    ensureOpen();
}

void RecordingPage::drawText(double x, double y, std::string_view text)
{
    ensureOpen();
    if (failError_ && text.find(failFragment_) != std::string_view::npos)
        throw *failError_;
    record({.kind = PageOp::Kind::Text, .x = x, .y = y, .text = std::string(text), .font = font_});
    currentX_ = x + static_cast<double>(Utf8Length(text)) * font_.size / 12.0;
    currentY_ = y;
}

double RecordingPage::textWidth(std::string_view text)
{
    const std::size_t length = Utf8Length(text);
    measured_.push_back(length);
    return static_cast<double>(length) * font_.size / 12.0;
}

double RecordingPage::textHeight()
{
    return font_.size * 1.15 / 12.0;
}

void RecordingPage::drawLine(double x1, double y1, double x2, double y2)
{
    ensureOpen();
    record({.kind = PageOp::Kind::Line, .x = x1, .y = y1, .x2 = x2, .y2 = y2});
    currentX_ = x2;
    currentY_ = y2;
}

PageSize RecordingPage::drawPicture(const std::filesystem::path& file, double x, double y, double maxWidth,
                                    double maxHeight)
{
    ensureOpen();
    const PageSize size = pictureSize(file, maxWidth, maxHeight);
    record({.kind = PageOp::Kind::Picture, .x = x, .y = y, .x2 = x + size.width, .y2 = y + size.height,
            .text = file.string()});
    currentX_ = x + size.width;
    currentY_ = y + size.height;
    return size;
}

PageSize RecordingPage::pictureSize(const std::filesystem::path& file, double maxWidth, double maxHeight)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        throw PrintError(kPrintErrorFileNotFound, "File not found: " + file.string());
    return {maxWidth, maxHeight};
}

void RecordingPage::newPage()
{
    ensureOpen();
    ++page_;
    record({.kind = PageOp::Kind::NewPage});
    currentX_ = 0;
    currentY_ = 0;
}

void RecordingPage::endDocument()
{
    ensureOpen();
    record({.kind = PageOp::Kind::End});
    state_ = State::Ended;
}

void RecordingPage::abortDocument() noexcept
{
    if (state_ == State::Ended)
        return;
    record({.kind = PageOp::Kind::Abort});
    state_ = State::Ended;
}

void RecordingPage::failWhenDrawing(std::string fragment, PrintError error)
{
    failFragment_ = std::move(fragment);
    failError_ = std::move(error);
}

std::vector<PageOp> RecordingPage::texts() const
{
    std::vector<PageOp> result;
    for (const PageOp& op : ops_)
        if (op.kind == PageOp::Kind::Text)
            result.push_back(op);
    return result;
}

std::optional<PageOp> RecordingPage::findText(std::string_view fragment) const
{
    for (const PageOp& op : ops_)
        if (op.kind == PageOp::Kind::Text && op.text.find(fragment) != std::string::npos)
            return op;
    return std::nullopt;
}

} // namespace gw
