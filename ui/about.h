#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;

namespace gw {

class CaptionSource;
class HelpService;
class MessageService;
struct ProgramSettings;

// Build-time properties of the program, handed to the start window and the
// About box.
struct ProgramInfo {
    QString productName;   // "Gearwise Planner"
    int major = 0;
    int minor = 0;
    int revision = 0;
    QString copyright;     // the copyright notice
    QString logoPath;      // the program logo (PNG); missing: no logo is shown

    // "major.minor.revision"
    QString version() const;
};

// Who sponsors this copy, as the About box shows it.
struct AboutSponsor {
    bool isSponsored = false;
    QString sponsorName;
    QString appTitle;
    QString picturePath;  // full path of the welcome picture, or empty
};

// The sponsor of the loaded settings; the picture is settings' logoPath in
// the program's folder, kept only when sponsored and the file exists.
AboutSponsor AboutSponsorFrom(const ProgramSettings& settings);

struct AboutServices {
    const CaptionSource* captions = nullptr;  // required
    MessageService* messages = nullptr;       // required: the disclaimer
    HelpService* help = nullptr;              // F1; none: F1 does nothing
};

// frmAbout: the program's name and version, the copyright lines, the sponsor
// and its picture, support texts, and the Disclaimer and OK buttons. F1
// opens help topic 301.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 301;

    AboutBox(ProgramInfo info, AboutSponsor sponsor, AboutServices services, QWidget* parent = nullptr);

    // Every caption in the current language of the caption source; a
    // language switch calls it again.
    void formatCaptions();
    // The disclaimer of the current language in a message box.
    void showDisclaimer();

    QLabel* lblProgramName = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblSoftwareInformationHeader = nullptr;
    QLabel* lblWebAddressHeader = nullptr;
    QLabel* lblWebName = nullptr;
    QLabel* lblEmailAddress = nullptr;
    QLabel* lblCriminalWarning = nullptr;
    QLabel* lblSponsorName = nullptr;
    QFrame* fraSponsorLogo = nullptr;
    QLabel* lblComplimentsOfHeader = nullptr;
    QLabel* picSponsorLogo = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdDisclaimer = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    void showSponsor();
    void fitHeight();

    ProgramInfo info_;
    AboutSponsor sponsor_;
    AboutServices services_;
    QFrame* sponsorRule_ = nullptr;
};

// The product's web address, shown on the start window and the About box.
inline constexpr char kWebAddress[] = "www.gearwise.example";

} // namespace gw
