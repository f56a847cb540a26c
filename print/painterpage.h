#pragma once

#include "page.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRectF>
#include <QString>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The page on a real device: an installed printer or a PDF file, drawn with
// QPainter. Needs a QGuiApplication. Paper is Letter, portrait (the paper
// Canadian offices print client reports on), with half-inch margins, so the
// printable area is 90 x 60 units; a printer whose hardware margins are
// wider keeps its own. Widths are measured with QFontMetricsF on the device;
// the line height is that of the report faces (1.15 em, the baseline 0.905 em
// below the top of the line) whatever face stands in for them, so that a
// substitute with looser vertical metrics does not push the layout down.
namespace gw {

// The installed family that stands for a face the reports name: the face
// itself when installed; for "Arial" (and other sans faces) a metric twin
// such as Liberation Sans, Arimo or Nimbus Sans; for "Times New Roman" (and
// other serif faces) Liberation Serif, Tinos or Nimbus Roman; for the symbol
// faces ("Wingdings", "Symbol") a face with the check-mark dingbat.
QString InstalledFontFamily(const std::string& face);

// Device names of the installed printers in the platform's order, and the
// default printer's (empty when there is none).
std::vector<std::string> InstalledPrinterNames();
std::string DefaultPrinterName();

struct PdfOutput {
    std::filesystem::path file;
};

struct PrinterOutput {
    std::string deviceName;  // empty: the default printer
};

class PainterPage : public Page {
public:
    static constexpr double kMarginInches = 0.5;

    explicit PainterPage(const PdfOutput& output);
    explicit PainterPage(const PrinterOutput& output);
    ~PainterPage() override;
    PainterPage(const PainterPage&) = delete;
    PainterPage& operator=(const PainterPage&) = delete;

    // Throws kPrintErrorPrinterInfo when the printer does not exist and
    // kPrintErrorPrinter when the device or file cannot be opened.
    void beginDocument() override;
    void setFont(const PageFont& font) override;
    PageFont font() const override { return font_; }
    void drawText(double x, double y, std::string_view text) override;
    double textWidth(std::string_view text) override;
    double textHeight() override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    PageSize drawPicture(const std::filesystem::path& file, double x, double y, double maxWidth,
                         double maxHeight) override;
    PageSize pictureSize(const std::filesystem::path& file, double maxWidth, double maxHeight) override;
    void newPage() override;
    void endDocument() override;
    void abortDocument() noexcept override;
    PageSize printableSize() const override;
    std::string driverName() const override;
    double currentX() const override { return currentX_; }
    double currentY() const override { return currentY_; }
    int pageNumber() const override { return page_; }

private:
    enum class State { Idle, Open, Ended };
    void setUpPaper();
    void ensureOpen();
    double toDeviceX(double x) const;
    double toDeviceY(double y) const;
    QImage readPicture(const std::filesystem::path& file) const;
    QRectF pictureBox(const QImage& image, double x, double y, double maxWidth, double maxHeight) const;

    QPrinter printer_;
    QPainter painter_;
    bool toPdf_ = false;
    std::filesystem::path pdfFile_;
    std::string deviceName_;
    PageFont font_;
    QFont qfont_;
    std::map<std::string, QString> families_;  // face -> installed family
    State state_ = State::Idle;
    int page_ = 1;
    double currentX_ = 0, currentY_ = 0;
};

} // namespace gw
