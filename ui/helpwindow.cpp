#include "helpwindow.h"

#include "captionsource.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextStream>
#include <QVBoxLayout>

#include <array>

namespace gw {

namespace {

// The help sets by language index: the name the settings know each by, and
// the folder of its pages. The only place the two are tied together.
struct HelpSet {
    const char* fileName;
    const char* folder;
};
constexpr std::array<HelpSet, kLanguages.size()> kHelpSets{{
    {"Corvin's Gearwise Planner.hlp", "en"},
    {"Corvin's Gearwise Planner-French.hlp", "fr"},
}};

// A language value from outside English and French has none.
bool hasHelpSet(Language language)
{
    return Index(language) >= 0 && Index(language) < int(kHelpSets.size());
}

// The page name a topic has when topics.txt does not list it.
QString conventionalPage(int contextNumber)
{
    return contextNumber == 0 ? QStringLiteral("contents.html") : QStringLiteral("topic-%1.html").arg(contextNumber);
}

} // namespace

QString HelpSetFolder(Language language)
{
    return hasHelpSet(language) ? QString::fromLatin1(kHelpSets[std::size_t(Index(language))].folder) : QString();
}

std::string HelpFileName(Language language)
{
    return hasHelpSet(language) ? kHelpSets[std::size_t(Index(language))].fileName : std::string();
}

HelpWindow::HelpWindow(const CaptionSource& captions, QString helpRoot, QWidget* parent)
    : QWidget(parent, Qt::Window), captions_(captions), root_(std::move(helpRoot))
{
    setObjectName(QStringLiteral("frmHelp"));
    txtHelp = new QTextBrowser(this);
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    txtHelp->setOpenExternalLinks(true);
    cmdHelpBack = new QPushButton(this);
    cmdHelpBack->setObjectName(QStringLiteral("cmdHelpBack"));
    cmdHelpForward = new QPushButton(this);
    cmdHelpForward->setObjectName(QStringLiteral("cmdHelpForward"));
    cmdHelpContents = new QPushButton(this);
    cmdHelpContents->setObjectName(QStringLiteral("cmdHelpContents"));
    cmdHelpBack->setEnabled(false);
    cmdHelpForward->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdHelpBack);
    buttons->addWidget(cmdHelpForward);
    buttons->addWidget(cmdHelpContents);
    buttons->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(buttons);
    column->addWidget(txtHelp, 1);

    connect(cmdHelpBack, &QPushButton::clicked, txtHelp, &QTextBrowser::backward);
    connect(cmdHelpForward, &QPushButton::clicked, txtHelp, &QTextBrowser::forward);
    connect(cmdHelpContents, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(txtHelp, &QTextBrowser::backwardAvailable, cmdHelpBack, &QPushButton::setEnabled);
    connect(txtHelp, &QTextBrowser::forwardAvailable, cmdHelpForward, &QPushButton::setEnabled);
    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
    // The browser reports a new page before source() names it.
    connect(txtHelp, &QTextBrowser::sourceChanged, this, [this](const QUrl& shown) {
        pageFound_ = true;
        updateTitle(shown);
    });

    loadTopics();
    if (hasHelpSet(captions_.language()))
        language_ = captions_.language();
    formatCaptions();
    resize(760, 580);
}

QString HelpWindow::defaultHelpRoot()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/help");
}

void HelpWindow::loadTopics()
{
    // Lines of context number, page file and the titles, separated by tabs.
    QFile file(QDir(root_).filePath(QStringLiteral("topics.txt")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(u'\t');
        bool isNumber = false;
        const int number = fields.value(0).trimmed().toInt(&isNumber);
        const QString page = fields.value(1).trimmed();
        if (!isNumber || page.isEmpty())
            continue;
        Topic& topic = topics_[number];
        topic.page = page;
        for (std::size_t language = 0; language < topic.titles.size(); ++language)
            topic.titles[language] = fields.value(qsizetype(2 + language)).trimmed();
    }
}

QString HelpWindow::topicTitle(int contextNumber, Language language) const
{
    const auto listed = topics_.find(contextNumber);
    if (listed == topics_.end() || !hasHelpSet(language))
        return {};
    return listed->second.titles[std::size_t(Index(language))];
}

QString HelpWindow::pagePath(int contextNumber, Language language) const
{
    const QString folder = HelpSetFolder(language);
    if (folder.isEmpty())
        return {};
    const auto listed = topics_.find(contextNumber);
    const QString page = listed != topics_.end() ? listed->second.page : conventionalPage(contextNumber);
    const QString path = QDir(root_).filePath(folder + u'/' + page);
    return QFileInfo(path).isFile() ? path : QString();
}

Language HelpWindow::helpLanguage()
{
    if (hasHelpSet(captions_.language()))
        language_ = captions_.language();
    return language_;
}

void HelpWindow::showTopic(int contextNumber)
{
    showPage(contextNumber);
    present();
}

void HelpWindow::showContents()
{
    showTopic(0);
}

void HelpWindow::showPage(int contextNumber)
{
    const Language language = helpLanguage();
    const QString path = pagePath(contextNumber, language);
    if (!path.isEmpty()) {
        txtHelp->setSource(QUrl::fromLocalFile(path));
        pageFound_ = true;
        updateTitle();
        return;
    }
    const QDir folder(QDir(root_).filePath(HelpSetFolder(language)));
    if (!folder.exists())
        showMessage(caption("HelpNotFound", {QDir::toNativeSeparators(folder.absolutePath()).toStdString()}));
    else
        showMessage(caption("HelpTopicMissing", {std::to_string(contextNumber)}));
}

void HelpWindow::showMessage(const QString& text)
{
    QString html = QStringLiteral("<h1>%1</h1><p>%2</p>").arg(caption("frmHelp").toHtmlEscaped(), text.toHtmlEscaped());
    const QString contents = pagePath(0, language_);
    if (!contents.isEmpty())
        html += QStringLiteral("<p><a href=\"%1\">%2</a></p>")
                    .arg(QUrl::fromLocalFile(contents).toString(QUrl::FullyEncoded), caption("cmdHelpContents").toHtmlEscaped());
    txtHelp->setHtml(html);
    pageFound_ = false;
    updateTitle();
}

void HelpWindow::showFileContents(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    // Relative to the data folder, the program's current folder.
    const QFileInfo info(QDir::current(), file);
    const QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    const bool opened = !file.isEmpty() && info.isFile() && (opener_ ? opener_(url) : QDesktopServices::openUrl(url));
    if (!opened) {
        showMessage(caption("HelpFileNotOpened", {QDir::toNativeSeparators(info.absoluteFilePath()).toStdString()}));
        present();
    }
}

QUrl HelpWindow::currentPage() const
{
    return pageFound_ ? txtHelp->source() : QUrl();
}

void HelpWindow::present()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void HelpWindow::updateTitle(const QUrl& shown)
{
    // The title topics.txt gives the page on show, which a link may have
    // reached; a page it does not list keeps its own title.
    QString title;
    if (pageFound_) {
        const QString page = QFileInfo((shown.isEmpty() ? txtHelp->source() : shown).toLocalFile()).fileName();
        for (const auto& [number, topic] : topics_) {
            if (topic.page == page)
                title = topicTitle(number, language_);
        }
        if (title.isEmpty())
            title = txtHelp->documentTitle();
    }
    setWindowTitle(title.isEmpty() ? caption("frmHelp") : title);
}

void HelpWindow::formatCaptions()
{
    cmdHelpBack->setText(caption("cmdHelpBack"));
    cmdHelpForward->setText(caption("cmdHelpForward"));
    cmdHelpContents->setText(caption("cmdHelpContents"));

    // The page on show moves to the same page of the new language's set.
    const Language previous = language_;
    const Language language = helpLanguage();
    if (captionLanguage_ && language != previous && pageFound_) {
        const QFileInfo page(txtHelp->source().toLocalFile());
        const QString twin = QDir(root_).filePath(HelpSetFolder(language) + u'/' + page.fileName());
        if (QFileInfo(twin).isFile())
            txtHelp->setSource(QUrl::fromLocalFile(twin));
        else
            showPage(0);
    }
    captionLanguage_ = captions_.language();
    updateTitle();
}

QString HelpWindow::caption(std::string_view key, const std::vector<std::string>& values) const
{
    return lookUp(captions_, key, values);
}

} // namespace gw
