#pragma once

#include "captions.h"
#include "helpservice.h"

#include <QString>
#include <QUrl>
#include <QWidget>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QPushButton;
class QTextBrowser;

namespace gw {

class CaptionSource;

// The help set of a language: its folder under the help root ("en", "fr"),
// or the empty text for a language that has none.
QString HelpSetFolder(Language language);
// The name the settings give the help set of a language (a ".hlp" name), or
// the empty text. An identifier only: it is never shown.
std::string HelpFileName(Language language);

// The program's own help viewer: the HTML pages of the help root (beside the
// program: help/en, help/fr, help/help.css, help/topics.txt) in a text
// browser with Back, Forward and Contents. The caption language chooses the
// help set each time a page is asked for; a language without one keeps the
// set last used. A topic without a page shows a message saying so. The
// window is titled with the title of the page on show; Esc closes it.
//
// Give it no parent: a window of its own is not blocked by the dialogs that
// open help topics while they are modal.
class HelpWindow : public QWidget, public HelpService {
    Q_OBJECT
public:
    explicit HelpWindow(const CaptionSource& captions, QString helpRoot = defaultHelpRoot(),
                        QWidget* parent = nullptr);

    // The "help" folder beside the executable.
    static QString defaultHelpRoot();

    // Shows and raises the window at the topic's page (0 the contents).
    void showTopic(int contextNumber) override;
    void showContents() override;
    // The sponsor's own help file, in the desktop's viewer for its type; a
    // relative path is taken from the program's folder. A file that is
    // missing or will not open is reported in this window.
    void showFileContents(const std::string& path) override;

    // The page of a topic (0 the contents) in a language: an existing file,
    // or the empty text.
    QString pagePath(int contextNumber, Language language) const;
    // The title topics.txt gives a topic in a language, or the empty text.
    QString topicTitle(int contextNumber, Language language) const;
    // False when the last request found nothing and the window says why.
    bool pageFound() const { return pageFound_; }
    // The page on show; empty while a message is shown.
    QUrl currentPage() const;
    QString helpRoot() const { return root_; }

    // Window title and buttons; the page on show follows a language switch.
    void formatCaptions();

    // How showFileContents hands a file to the desktop (tests replace it).
    void setUrlOpener(std::function<bool(const QUrl&)> opener) { opener_ = std::move(opener); }

    QTextBrowser* txtHelp = nullptr;
    QPushButton* cmdHelpBack = nullptr;
    QPushButton* cmdHelpForward = nullptr;
    QPushButton* cmdHelpContents = nullptr;

private:
    void loadTopics();
    // The language of the help set to use now.
    Language helpLanguage();
    void showPage(int contextNumber);
    void showMessage(const QString& text);
    void present();
    // The title of the page on show (`shown`, else the browser's source).
    void updateTitle(const QUrl& shown = {});
    QString caption(std::string_view key, const std::vector<std::string>& values = {}) const;

    const CaptionSource& captions_;
    QString root_;
    struct Topic {
        QString page;                                   // file name in each language's folder
        std::array<QString, kLanguages.size()> titles;  // by language index
    };
    std::map<int, Topic> topics_;  // by context number
    std::function<bool(const QUrl&)> opener_;
    Language language_ = English;
    std::optional<Language> captionLanguage_;  // none before the first captions
    bool pageFound_ = false;
};

} // namespace gw
