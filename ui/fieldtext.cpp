#include "fieldtext.h"

#include "numformat.h"

#include <QRegularExpression>

namespace gw {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0x00A0) || c == QChar(0x202F);
}

QString trimmedBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

bool IsNumericText(const QString& text, Language language)
{
    QString s = trimmedBlanks(text);
    // A sign and a "$" in either order in front; blanks may follow the "$"
    // but not the sign, as the field reader takes them. A "$" behind.
    bool sign = false;
    bool dollar = false;
    while (!s.isEmpty()) {
        if (!sign && (s.front() == u'-' || s.front() == u'+')) {
            sign = true;
            s.remove(0, 1);
        } else if (!dollar && s.front() == u'$') {
            dollar = true;
            s = trimmedBlanks(s.mid(1));
        } else {
            break;
        }
    }
    if (s.endsWith(u'$'))
        s = trimmedBlanks(s.chopped(1));

    static const QRegularExpression english(
        QStringLiteral(R"(^(\d{1,3}(,\d{3})+|\d+)(\.\d*)?([eE][+-]?\d+)?$|^\.\d+([eE][+-]?\d+)?$)"));
    static const QRegularExpression french(QStringLiteral(
        "^(\\d{1,3}([ \\x{00A0}\\x{202F}]\\d{3})+|\\d+)([.,]\\d*)?([eE][+-]?\\d+)?$|^[.,]\\d+([eE][+-]?\\d+)?$"));
    return (language == French ? french : english).match(s).hasMatch();
}

double FieldNumber(const QString& text, Language language)
{
    return ReadField(text.toStdString(), language);
}

QString FormatField(double value, std::string_view pattern, Language language)
{
    return QString::fromStdString(FormatNumber(value, pattern, language));
}

QString PlainNumber(double value)
{
    return QString::fromStdString(ShortestDecimal(value));
}

} // namespace gw
