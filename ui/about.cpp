#include "about.h"

#include "captionsource.h"
#include "helpservice.h"
#include "messages.h"
#include "records.h"
#include "widgets.h"

#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace gw {

namespace {

constexpr int kBoxWidth = 520;
constexpr int kPictureWidth = 440;

const char* const kStyle = R"(
#frmAbout { background: #f7fafa; }
QLabel { color: #23383d; }
QLabel[role="heading"] { color: #1d7874; font-weight: bold; }
QLabel[role="fine"] { color: #5b6f73; }
#lblProgramName { color: #0b3c49; font-weight: bold; }
#lblSponsorName { color: #0b3c49; font-weight: bold; }
QFrame#fraSponsorLogo { background: white; border: 1px solid #d3e2e1; border-radius: 8px; }
QFrame[role="rule"] { background: #d3e2e1; max-height: 1px; border: none; }
)";

} // namespace

QString ProgramInfo::version() const
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

AboutSponsor AboutSponsorFrom(const ProgramSettings& settings)
{
    AboutSponsor sponsor;
    sponsor.isSponsored = settings.IsSponsored;
    sponsor.sponsorName = QString::fromStdString(settings.sponsorInfo.SponsorName);
    sponsor.appTitle = QString::fromStdString(settings.sponsorInfo.AppTitle);
    const std::string& logo = settings.sponsorInfo.logoPath;
    if (settings.IsSponsored && !logo.empty()) {
        const QString path = QString::fromStdString((settings.folder / logo).string());
        if (QFileInfo(path).isFile())
            sponsor.picturePath = path;
    }
    return sponsor;
}

AboutBox::AboutBox(ProgramInfo info, AboutSponsor sponsor, AboutServices services, QWidget* parent)
    : QDialog(parent), info_(std::move(info)), sponsor_(std::move(sponsor)), services_(services)
{
    setObjectName(QStringLiteral("frmAbout"));
    build();
    formatCaptions();
    showSponsor();
}

void AboutBox::build()
{
    setStyleSheet(QString::fromLatin1(kStyle));
    setFixedWidth(kBoxWidth);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 22, 24, 18);
    layout->setSpacing(10);

    // The program: logo beside name, version and copyright lines.
    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgSoftwareLogo"));
    const QPixmap logoPicture(info_.logoPath);
    if (!logoPicture.isNull())
        logo->setPixmap(logoPicture.scaled(72, 72, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    logo->setVisible(!logoPicture.isNull());
    logo->setAlignment(Qt::AlignTop);
    top->addWidget(logo, 0, Qt::AlignTop);
    auto* program = new QVBoxLayout;
    program->setSpacing(4);
    lblSoftwareInformationHeader = MakeLabel("lblSoftwareInformationHeader", this, "heading");
    lblProgramName = MakeLabel("lblProgramName", this);
    ScaleFont(lblProgramName, 1.35);
    lblCopyright = MakeLabel("lblCopyright", this, "fine");
    lblCopyright->setWordWrap(true);
    program->addWidget(lblSoftwareInformationHeader);
    program->addWidget(lblProgramName);
    program->addWidget(lblCopyright);
    top->addLayout(program, 1);
    layout->addLayout(top);

    // The sponsor: name, then its picture in a frame of its own.
    lblSponsorName = MakeLabel("lblSponsorName", this);
    lblSponsorName->setAlignment(Qt::AlignCenter);
    lblSponsorName->setWordWrap(true);
    ScaleFont(lblSponsorName, 1.1);
    fraSponsorLogo = new QFrame(this);
    fraSponsorLogo->setObjectName(QStringLiteral("fraSponsorLogo"));
    auto* frame = new QVBoxLayout(fraSponsorLogo);
    frame->setContentsMargins(12, 10, 12, 12);
    frame->setSpacing(6);
    lblComplimentsOfHeader = MakeLabel("lblComplimentsOfHeader", fraSponsorLogo, "fine");
    lblComplimentsOfHeader->setAlignment(Qt::AlignCenter);
    picSponsorLogo = MakeLabel("picSponsorLogo", fraSponsorLogo);
    picSponsorLogo->setAlignment(Qt::AlignCenter);
    frame->addWidget(lblComplimentsOfHeader);
    frame->addWidget(picSponsorLogo);
    sponsorRule_ = MakeRule(this);
    layout->addWidget(sponsorRule_);
    layout->addWidget(lblSponsorName);
    layout->addWidget(fraSponsorLogo);

    // Support and the legal warning.
    layout->addWidget(MakeRule(this));
    lblWebAddressHeader = MakeLabel("lblWebAddressHeader", this, "heading");
    lblWebName = MakeLabel("lblWebName", this);
    lblWebName->setText(QString::fromLatin1(kWebAddress));
    lblWebName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblEmailAddress = MakeLabel("lblEmailAddress", this);
    lblEmailAddress->setWordWrap(true);
    lblCriminalWarning = MakeLabel("lblCriminalWarning", this, "fine");
    lblCriminalWarning->setWordWrap(true);
    ScaleFont(lblCriminalWarning, 0.9);
    layout->addWidget(lblWebAddressHeader);
    layout->addWidget(lblWebName);
    layout->addWidget(lblEmailAddress);
    layout->addSpacing(4);
    layout->addWidget(lblCriminalWarning);

    auto* buttons = new QHBoxLayout;
    cmdDisclaimer = new QPushButton(this);
    cmdDisclaimer->setObjectName(QStringLiteral("cmdDisclaimer"));
    cmdDisclaimer->setAutoDefault(false);
    cmdDisclaimer->setMinimumWidth(96);
    cmdOk = new QPushButton(this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdOk->setMinimumWidth(96);
    buttons->addWidget(cmdDisclaimer);
    buttons->addStretch(1);
    buttons->addWidget(cmdOk);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setTabOrder(cmdOk, cmdDisclaimer);

    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdDisclaimer, &QPushButton::clicked, this, &AboutBox::showDisclaimer);
}

void AboutBox::formatCaptions()
{
    const CaptionSource& captions = *services_.captions;
    setWindowTitle(lookUp(captions, "frmAbout"));
    lblProgramName->setText(info_.productName + QStringLiteral(" v.") + info_.version());
    lblCopyright->setText(lookUp(captions, "CopyRight") + QLatin1Char(' ') + lookUp(captions, "CopyRightTextVeil"));
    lblSoftwareInformationHeader->setText(lookUp(captions, "lblSoftwareInformationHeader"));
    lblWebAddressHeader->setText(lookUp(captions, "lblWebAddressHeader"));
    lblEmailAddress->setText(lookUp(captions, "lblEmailAddress"));
    lblCriminalWarning->setText(lookUp(captions, "lblCriminalWarning"));
    cmdOk->setText(lookUp(captions, "cmdOK"));
    cmdDisclaimer->setText(lookUp(captions, "cmdDisclaimer"));
    fitHeight();
}

void AboutBox::showSponsor()
{
    sponsorRule_->setVisible(sponsor_.isSponsored);
    lblSponsorName->setVisible(sponsor_.isSponsored);
    if (sponsor_.isSponsored)
        lblSponsorName->setText(sponsor_.appTitle + QLatin1Char(' ') + sponsor_.sponsorName);

    QPixmap picture;
    if (sponsor_.isSponsored && !sponsor_.picturePath.isEmpty())
        picture.load(sponsor_.picturePath);
    if (picture.width() > kPictureWidth)
        picture = picture.scaledToWidth(kPictureWidth, Qt::SmoothTransformation);
    fraSponsorLogo->setVisible(!picture.isNull());
    if (!picture.isNull()) {
        lblComplimentsOfHeader->setText(sponsor_.appTitle);
        lblComplimentsOfHeader->setVisible(!sponsor_.appTitle.isEmpty());
        picSponsorLogo->setPixmap(picture);
    }
    fitHeight();
}

void AboutBox::fitHeight()
{
    // The wrapped labels need the height that goes with the fixed width; any
    // more would be spread between the rows.
    layout()->activate();
    const int height = heightForWidth(kBoxWidth);
    setFixedHeight(height > 0 ? height : sizeHint().height());
}

void AboutBox::showDisclaimer()
{
    // The caption's placeholders 1 to 4 are line breaks.
    const std::vector<std::string> breaks(4, "\n");
    services_.messages->warning(lookUp(*services_.captions, "DisclaimerTitle"),
                                lookUp(*services_.captions, "Disclaimer", breaks));
}

void AboutBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        if (services_.help)
            services_.help->showTopic(kHelpTopic);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace gw
