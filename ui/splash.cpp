#include "splash.h"

#include "captions.h"
#include "messages.h"
#include "records.h"
#include "settingsfile.h"
#include "widgets.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace gw {

namespace {

constexpr int kWindowWidth = 600;
constexpr int kPictureWidth = 480;
constexpr int kLogoSize = 96;

const char* const kStyle = R"(
#frmSplash { background: qlineargradient(x1:0, y1:0, x2:1, y2:1, stop:0 #0b3c49, stop:1 #1d7874); }
QFrame#fraContainer { background: white; border-radius: 14px; }
QLabel { color: #23383d; background: transparent; }
#lblEducation { color: #1d7874; font-weight: bold; }
#lblCorvins { color: #5b6f73; }
#lblGearwise { color: #0b3c49; font-weight: bold; }
#lblVersion, #lblCopyright, #lblWebReference, #lblComplimentsOf { color: #5b6f73; }
#lblWebName { color: #1d7874; }
#lblWelcomeText { color: #0b3c49; font-weight: bold; }
QFrame[role="rule"] { background: #dfe9e8; border: none; }
QPushButton { background: white; color: #0b3c49; border: 1px solid #9fbcbb; border-radius: 6px;
              padding: 7px 18px; min-width: 80px; }
QPushButton:hover { background: #eef5f4; }
QPushButton:focus { border: 2px solid #1d7874; }
QPushButton:default { background: #1d7874; color: white; border: 1px solid #1d7874; }
QPushButton:default:hover { background: #17625f; }
QPushButton:default:focus { border: 2px solid #0b3c49; }
QPushButton:disabled { color: #9aa9ab; }
)";

// A horizontally centred row of widgets, with no room between them.
QHBoxLayout* centredRow(std::initializer_list<QWidget*> widgets)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addStretch(1);
    for (QWidget* widget : widgets)
        row->addWidget(widget);
    row->addStretch(1);
    return row;
}

} // namespace

StartWindow::StartWindow(ProgramSettings& settings, ProgramInfo info, StartWindowServices services, QWidget* parent)
    : QDialog(parent), settings_(settings), info_(std::move(info)), services_(std::move(services))
{
    setObjectName(QStringLiteral("frmSplash"));
    build();
}

void StartWindow::build()
{
    setWindowTitle(info_.productName);
    setStyleSheet(QString::fromLatin1(kStyle));
    setFixedWidth(kWindowWidth);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(18, 18, 18, 18);
    fraContainer = new QFrame(this);
    fraContainer->setObjectName(QStringLiteral("fraContainer"));
    outer->addWidget(fraContainer);

    auto* layout = new QVBoxLayout(fraContainer);
    layout->setContentsMargins(28, 26, 28, 22);
    layout->setSpacing(10);

    // The program's name beside its logo.
    imgSoftwareLogo = MakeLabel("imgSoftwareLogo", fraContainer);
    const QPixmap logo(info_.logoPath);
    if (!logo.isNull())
        imgSoftwareLogo->setPixmap(logo.scaled(kLogoSize, kLogoSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    imgSoftwareLogo->setVisible(!logo.isNull());
    lblEducation = MakeLabel("lblEducation", fraContainer);
    lblEducation->setText(QStringLiteral("Education and Analysis Software"));
    QFont education = lblEducation->font();
    education.setCapitalization(QFont::AllUppercase);
    education.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    education.setPointSizeF(education.pointSizeF() * 0.85);
    lblEducation->setFont(education);
    lblCorvins = MakeLabel("lblCorvins", fraContainer);
    lblCorvins->setText(QStringLiteral("Corvin's"));
    ScaleFont(lblCorvins, 1.15);
    lblGearwise = MakeLabel("lblGearwise", fraContainer);
    lblGearwise->setText(QStringLiteral("Gearwise Planner"));
    ScaleFont(lblGearwise, 2.4);
    lblVersion = MakeLabel("lblVersion", fraContainer);
    lblVersion->setText(QStringLiteral("Version"));

    auto* names = new QVBoxLayout;
    names->setSpacing(2);
    names->addStretch(1);
    names->addWidget(lblEducation);
    names->addSpacing(4);
    names->addWidget(lblCorvins);
    names->addWidget(lblGearwise);
    names->addWidget(lblVersion);
    names->addStretch(1);
    auto* header = new QHBoxLayout;
    header->setSpacing(22);
    header->addWidget(imgSoftwareLogo, 0, Qt::AlignVCenter);
    header->addLayout(names, 1);
    layout->addLayout(header);

    // The sponsor: a greeting and the name as text, or the welcome picture.
    sponsorRule_ = MakeRule(fraContainer);
    lblComplimentsOf = MakeLabel("lblComplimentsOf", fraContainer);
    lblComplimentsOf->setText(QStringLiteral("Compliments of"));
    lblComplimentsOf->setAlignment(Qt::AlignCenter);
    lblWelcomeText = MakeLabel("lblWelcomeText", fraContainer);
    lblWelcomeText->setAlignment(Qt::AlignCenter);
    lblWelcomeText->setWordWrap(true);
    ScaleFont(lblWelcomeText, 1.5);
    picSponsorLogo = MakeLabel("picSponsorLogo", fraContainer);
    picSponsorLogo->setAlignment(Qt::AlignCenter);
    layout->addSpacing(6);
    layout->addWidget(sponsorRule_);
    layout->addWidget(lblComplimentsOf);
    layout->addWidget(lblWelcomeText);
    layout->addWidget(picSponsorLogo);
    layout->addWidget(MakeRule(fraContainer));

    lblWebReference = MakeLabel("lblWebReference", fraContainer);
    lblWebReference->setText(QStringLiteral("For more information, visit "));
    lblWebName = MakeLabel("lblWebName", fraContainer);
    lblWebName->setText(QString::fromLatin1(kWebAddress));
    lblCopyright = MakeLabel("lblCopyright", fraContainer);
    lblCopyright->setAlignment(Qt::AlignCenter);
    lblCopyright->setWordWrap(true);
    ScaleFont(lblCopyright, 0.9);
    layout->addLayout(centredRow({lblWebReference, lblWebName}));
    layout->addWidget(lblCopyright);

    // Bottom: the buttons. The start-up is over when the window shows, so
    // there is no loading note or progress to show.
    cmdDisclaimer = MakeButton("cmdDisclaimer", fraContainer, QStringLiteral("Disclaimer"));
    cmdStart_English = MakeButton("cmdStart_English", fraContainer, QStringLiteral("English"));
    cmdStart_French = MakeButton("cmdStart_French", fraContainer, QStringLiteral("Fran\u00e7ais"));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addWidget(cmdDisclaimer);
    buttons->addStretch(1);
    buttons->addWidget(cmdStart_English);
    buttons->addWidget(cmdStart_French);
    layout->addSpacing(14);
    layout->addLayout(buttons);

    setTabOrder(cmdStart_English, cmdStart_French);
    setTabOrder(cmdStart_French, cmdDisclaimer);

    connect(cmdStart_English, &QPushButton::clicked, this, [this] { startProgram(English); });
    connect(cmdStart_French, &QPushButton::clicked, this, [this] { startProgram(French); });
    connect(cmdDisclaimer, &QPushButton::clicked, this, &StartWindow::showDisclaimer);
}

bool StartWindow::load()
{
    if (!LoadStartUpSettings(settings_, *services_.reporter))
        return false;
    lblCopyright->setText(info_.copyright);
    lblVersion->setText(QStringLiteral("Version ") + info_.version());
    showSponsor();

    QPushButton* previous = settings_.CurrentLanguage == French ? cmdStart_French : cmdStart_English;
    previous->setDefault(true);
    previous->setFocus();
    // Wrapped labels need the height that goes with the fixed width.
    layout()->activate();
    const int height = heightForWidth(kWindowWidth);
    setFixedHeight(height > 0 ? height : sizeHint().height());
    return true;
}

void StartWindow::showSponsor()
{
    const bool sponsored = settings_.IsSponsored;
    QPixmap picture;
    const std::string& logo = settings_.sponsorInfo.logoPath;
    if (sponsored && !logo.empty())
        picture.load(QString::fromStdString((settings_.folder / logo).string()));
    if (picture.width() > kPictureWidth)
        picture = picture.scaledToWidth(kPictureWidth, Qt::SmoothTransformation);

    // A picture that will not load is treated like a missing one.
    const bool showPicture = sponsored && !picture.isNull();
    sponsorRule_->setVisible(sponsored);
    lblComplimentsOf->setVisible(sponsored);
    lblWelcomeText->setVisible(sponsored && !showPicture);
    picSponsorLogo->setVisible(showPicture);
    if (showPicture) {
        picSponsorLogo->setPixmap(picture);
        lblComplimentsOf->setText(QString::fromStdString(settings_.sponsorInfo.AppTitle));
    } else if (sponsored) {
        lblWelcomeText->setText(QString::fromStdString(settings_.sponsorInfo.SponsorName));
    }
}

void StartWindow::startProgram(Language language)
{
    // No second start while the main window loads.
    for (QPushButton* button : {cmdStart_English, cmdStart_French, cmdDisclaimer})
        button->setEnabled(false);
    settings_.CurrentLanguage = language;
    if (services_.start)
        services_.start(language);
    accept();
}

void StartWindow::showDisclaimer()
{
    QString text = QString::fromStdString(GetDisclaimerText(settings_));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    services_.messages->warning(
        QString::fromStdString(GetCaption(settings_.captions, "DisclaimerTitle", settings_.CurrentLanguage)), text);
}

} // namespace gw
