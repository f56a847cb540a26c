#include "painterpage.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QImageReader>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPen>
#include <QPrinterInfo>

#include <algorithm>
#include <initializer_list>

namespace gw {

namespace {

// Horizontal and vertical units per inch.
constexpr double kUnitsPerInchX = 12;
constexpr double kUnitsPerInchY = 6;
// Vertical metrics of the report faces, in ems: the line height with its
// leading, and the baseline's depth below the top of the line.
constexpr double kLineHeightEm = 1.15;
constexpr double kBaselineEm = 0.905;

// Installed family names without the foundry Qt appends when several
// foundries ship a face ("Nimbus Sans [urw]").
QStringList InstalledFamilies()
{
    QStringList names;
    for (QString family : QFontDatabase::families()) {
        const qsizetype foundry = family.indexOf(QLatin1String(" ["));
        if (foundry > 0)
            family.truncate(foundry);
        if (!names.contains(family))
            names.push_back(family);
    }
    return names;
}

QString FirstInstalled(const QStringList& installed, std::initializer_list<const char*> candidates)
{
    for (const char* candidate : candidates) {
        for (const QString& family : installed)
            if (family.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0)
                return family;
    }
    return {};
}

bool OneOf(const QString& face, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (face.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

QString InstalledFontFamily(const std::string& face)
{
    const QStringList installed = InstalledFamilies();
    const QString requested = QString::fromStdString(face).trimmed();
    QString family;
    if (OneOf(requested, {"Wingdings", "Wingdings 2", "Wingdings 3", "Webdings", "Symbol"})) {
        // The mark is drawn as a Unicode dingbat, which symbol faces lack.
        family = FirstInstalled(installed, {"DejaVu Sans", "Noto Sans Symbols2", "Segoe UI Symbol", "Symbola"});
    } else {
        for (const QString& candidate : installed)
            if (candidate.compare(requested, Qt::CaseInsensitive) == 0)
                return candidate;
        if (OneOf(requested, {"Times New Roman", "Times", "Georgia", "Garamond", "Book Antiqua", "Cambria"}))
            family = FirstInstalled(installed, {"Liberation Serif", "Tinos", "Nimbus Roman", "TeX Gyre Termes",
                                                "DejaVu Serif", "Noto Serif"});
        else if (OneOf(requested, {"Courier New", "Courier", "Consolas", "Lucida Console"}))
            family = FirstInstalled(installed, {"Liberation Mono", "Cousine", "Nimbus Mono PS", "DejaVu Sans Mono"});
        else
            family = FirstInstalled(installed, {"Liberation Sans", "Arimo", "Nimbus Sans", "Helvetica",
                                                "TeX Gyre Heros", "DejaVu Sans", "Noto Sans"});
    }
    if (family.isEmpty())
        family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    return family;
}

std::vector<std::string> InstalledPrinterNames()
{
    std::vector<std::string> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        names.push_back(name.toStdString());
    return names;
}

std::string DefaultPrinterName()
{
    return QPrinterInfo::defaultPrinterName().toStdString();
}

PainterPage::PainterPage(const PdfOutput& output)
    : printer_(QPrinter::HighResolution), toPdf_(true), pdfFile_(output.file)
{
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(QString::fromStdString(output.file.string()));
    printer_.setCreator(QStringLiteral("Gearwise Planner"));
    setUpPaper();
    setFont(font_);
}

PainterPage::PainterPage(const PrinterOutput& output)
    : printer_(QPrinter::HighResolution), deviceName_(output.deviceName)
{
    if (!deviceName_.empty())
        printer_.setPrinterName(QString::fromStdString(deviceName_));
    setUpPaper();
    setFont(font_);
}

PainterPage::~PainterPage()
{
    abortDocument();
}

void PainterPage::setUpPaper()
{
    printer_.setPageSize(QPageSize(QPageSize::Letter));
    printer_.setPageOrientation(QPageLayout::Portrait);
    printer_.setFullPage(false);
    const double margin = kMarginInches * 72;  // points
    const QMarginsF minimum = printer_.pageLayout().minimumMargins();
    const QMarginsF margins(std::max(margin, minimum.left()), std::max(margin, minimum.top()),
                            std::max(margin, minimum.right()), std::max(margin, minimum.bottom()));
    printer_.setPageMargins(margins, QPageLayout::Point);
}

void PainterPage::ensureOpen()
{
    if (state_ == State::Ended)
        throw PrintError(kPrintErrorPrinter, "The document has already ended.");
    if (state_ == State::Open)
        return;
    if (!toPdf_) {
        if (QPrinterInfo::availablePrinters().isEmpty())
            throw PrintError(kPrintErrorPrinterInfo, "No printer is installed.");
        const QPrinterInfo info = deviceName_.empty() ? QPrinterInfo::defaultPrinter()
                                                      : QPrinterInfo::printerInfo(QString::fromStdString(deviceName_));
        if (info.isNull())
            throw PrintError(kPrintErrorPrinterInfo, deviceName_.empty()
                                                         ? std::string("There is no default printer.")
                                                         : "There is no printer named '" + deviceName_ + "'.");
    }
    if (!painter_.begin(&printer_)) {
        throw PrintError(kPrintErrorPrinter, toPdf_ ? "The file " + pdfFile_.string() + " cannot be written."
                                                    : "The printer " + printer_.printerName().toStdString() +
                                                          " cannot start a document.");
    }
    state_ = State::Open;
    page_ = 1;
    painter_.setFont(qfont_);
    painter_.setPen(QPen(Qt::black, printer_.resolution() / 144.0));  // half a point
}

double PainterPage::toDeviceX(double x) const
{
    return x * printer_.resolution() / kUnitsPerInchX;
}

double PainterPage::toDeviceY(double y) const
{
    return y * printer_.resolution() / kUnitsPerInchY;
}

void PainterPage::beginDocument()
{
    ensureOpen();
}

void PainterPage::setFont(const PageFont& font)
{
    font_ = font;
    auto found = families_.find(font.face);
    if (found == families_.end())
        found = families_.emplace(font.face, InstalledFontFamily(font.face)).first;
    qfont_ = QFont(found->second);
    qfont_.setPointSizeF(std::max(font.size, 1.0));
    qfont_.setBold(font.bold);
    if (state_ == State::Open)
        painter_.setFont(qfont_);
}

void PainterPage::drawText(double x, double y, std::string_view text)
{
    ensureOpen();
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetricsF metrics(qfont_, &printer_);
    const double em = qfont_.pointSizeF() * printer_.resolution() / 72;
    painter_.drawText(QPointF(toDeviceX(x), toDeviceY(y) + kBaselineEm * em), qtext);
    currentX_ = x + metrics.horizontalAdvance(qtext) * kUnitsPerInchX / printer_.resolution();
    currentY_ = y;
}

double PainterPage::textWidth(std::string_view text)
{
    const QFontMetricsF metrics(qfont_, &printer_);
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return metrics.horizontalAdvance(qtext) * kUnitsPerInchX / printer_.resolution();
}

double PainterPage::textHeight()
{
    return kLineHeightEm * qfont_.pointSizeF() * kUnitsPerInchY / 72;
}

void PainterPage::drawLine(double x1, double y1, double x2, double y2)
{
    ensureOpen();
    painter_.drawLine(QPointF(toDeviceX(x1), toDeviceY(y1)), QPointF(toDeviceX(x2), toDeviceY(y2)));
    currentX_ = x2;
    currentY_ = y2;
}

QImage PainterPage::readPicture(const std::filesystem::path& file) const
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        throw PrintError(kPrintErrorFileNotFound, "File not found: " + file.string());
    QImageReader reader(QString::fromStdString(file.string()));
    QImage image = reader.read();
    if (image.isNull())
        throw PrintError(kPrintErrorInvalidPicture,
                         "Invalid picture " + file.string() + ": " + reader.errorString().toStdString());
    return image;
}

// The picture's box in device pixels; empty when there is no room.
QRectF PainterPage::pictureBox(const QImage& image, double x, double y, double maxWidth, double maxHeight) const
{
    if (!(maxWidth > 0) || !(maxHeight > 0))
        return {};
    const double scale = std::min(toDeviceX(maxWidth) / image.width(), toDeviceY(maxHeight) / image.height());
    return {toDeviceX(x), toDeviceY(y), image.width() * scale, image.height() * scale};
}

PageSize PainterPage::pictureSize(const std::filesystem::path& file, double maxWidth, double maxHeight)
{
    const QRectF box = pictureBox(readPicture(file), 0, 0, maxWidth, maxHeight);
    return {box.width() * kUnitsPerInchX / printer_.resolution(), box.height() * kUnitsPerInchY / printer_.resolution()};
}

PageSize PainterPage::drawPicture(const std::filesystem::path& file, double x, double y, double maxWidth,
                                  double maxHeight)
{
    ensureOpen();
    const QImage image = readPicture(file);
    const QRectF target = pictureBox(image, x, y, maxWidth, maxHeight);
    if (target.isEmpty())
        return {};
    painter_.drawImage(target, image);
    const PageSize drawn{target.width() * kUnitsPerInchX / printer_.resolution(),
                         target.height() * kUnitsPerInchY / printer_.resolution()};
    currentX_ = x + drawn.width;
    currentY_ = y + drawn.height;
    return drawn;
}

void PainterPage::newPage()
{
    ensureOpen();
    if (!printer_.newPage())
        throw PrintError(kPrintErrorPrinter, "The printer cannot start a new page.");
    ++page_;
    currentX_ = 0;
    currentY_ = 0;
}

void PainterPage::endDocument()
{
    ensureOpen();
    state_ = State::Ended;
    const bool ended = painter_.end();
    if (!toPdf_) {
        if (!ended)
            throw PrintError(kPrintErrorPrinter, "The document could not be finished.");
        return;
    }
    std::error_code ec;
    if (!ended || std::filesystem::file_size(pdfFile_, ec) == 0 || ec) {
        std::filesystem::remove(pdfFile_, ec);  // a partial file is worse than none
        throw PrintError(kPrintErrorPrinter, "The file " + pdfFile_.string() + " was not written.");
    }
}

void PainterPage::abortDocument() noexcept
{
    if (state_ == State::Open) {
        printer_.abort();
        painter_.end();
        if (toPdf_) {
            std::error_code ec;
            std::filesystem::remove(pdfFile_, ec);
        }
    }
    state_ = State::Ended;
}

PageSize PainterPage::printableSize() const
{
    const QRectF area = printer_.pageRect(QPrinter::DevicePixel);
    const double dpi = printer_.resolution();
    return {area.width() * kUnitsPerInchX / dpi, area.height() * kUnitsPerInchY / dpi};
}

std::string PainterPage::driverName() const
{
    if (toPdf_)
        return "Qt PDF writer";
    const QString model = QPrinterInfo(printer_).makeAndModel();
    return model.isEmpty() ? printer_.printerName().toStdString() : model.toStdString();
}

} // namespace gw
