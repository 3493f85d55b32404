// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArticleText.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace search {
namespace {

// The named entities the pages use, and a few that any page may.
const QHash<QString, QString>& namedEntities()
{
    static const QHash<QString, QString> entities = {
        {QStringLiteral("amp"), QStringLiteral("&")},
        {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},
        {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")},
        {QStringLiteral("nbsp"), QStringLiteral(" ")},
        {QStringLiteral("shy"), QString()},
        {QStringLiteral("laquo"), QStringLiteral("«")},
        {QStringLiteral("raquo"), QStringLiteral("»")},
        {QStringLiteral("mdash"), QStringLiteral("—")},
        {QStringLiteral("ndash"), QStringLiteral("–")},
        {QStringLiteral("hellip"), QStringLiteral("…")},
        {QStringLiteral("deg"), QStringLiteral("°")},
        {QStringLiteral("times"), QStringLiteral("×")},
        {QStringLiteral("minus"), QStringLiteral("−")},
        {QStringLiteral("thinsp"), QStringLiteral(" ")},
        {QStringLiteral("ensp"), QStringLiteral(" ")},
        {QStringLiteral("emsp"), QStringLiteral(" ")},
        {QStringLiteral("zwj"), QString()},
        {QStringLiteral("zwnj"), QString()},
        {QStringLiteral("lsquo"), QStringLiteral("‘")},
        {QStringLiteral("rsquo"), QStringLiteral("’")},
        {QStringLiteral("ldquo"), QStringLiteral("“")},
        {QStringLiteral("rdquo"), QStringLiteral("”")},
        {QStringLiteral("bdquo"), QStringLiteral("„")},
        {QStringLiteral("middot"), QStringLiteral("·")},
    };
    return entities;
}

QString decodeEntities(const QString& text)
{
    static const QRegularExpression entity(
        QStringLiteral("&(#[0-9]+|#[xX][0-9a-fA-F]+|[a-zA-Z]+);"));
    QString decoded;
    decoded.reserve(text.size());
    qsizetype done = 0;
    for (auto match = entity.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        decoded += QStringView(text).mid(done, found.capturedStart() - done);
        const QString name = found.captured(1);
        if (name.startsWith(QLatin1Char('#'))) {
            bool ok = false;
            const uint code = name.startsWith(QLatin1String("#x"), Qt::CaseInsensitive)
                                  ? name.mid(2).toUInt(&ok, 16)
                                  : name.mid(1).toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF)) {
                const char32_t character = code;
                decoded += QString::fromUcs4(&character, 1);
            }
        } else if (auto known = namedEntities().constFind(name); known != namedEntities().cend()) {
            decoded += *known;
        } else {
            decoded += found.captured(0);
        }
        done = found.capturedEnd();
    }
    decoded += QStringView(text).mid(done);
    return decoded;
}

} // namespace

QString articleText(const QString& html)
{
    // One pass over the page: text is kept, tags end words (except those inside a line of
    // text, such as a link or bold), and what is never shown is skipped whole: the head
    // (its title repeats the heading), scripts, styles, comments, and of a drawing
    // everything but its title.
    static const QStringList skipped = {QStringLiteral("head"), QStringLiteral("script"),
                                        QStringLiteral("style")};
    static const QStringList inlineTags = {
        QStringLiteral("a"),    QStringLiteral("b"),    QStringLiteral("strong"),
        QStringLiteral("i"),    QStringLiteral("em"),   QStringLiteral("span"),
        QStringLiteral("sup"),  QStringLiteral("sub"),  QStringLiteral("small"),
        QStringLiteral("nobr"), QStringLiteral("abbr"), QStringLiteral("code"),
        QStringLiteral("mark"), QStringLiteral("u"),    QStringLiteral("wbr")};
    QString text;
    text.reserve(html.size() / 2);
    bool inDrawing = false;
    bool inDrawingTitle = false;
    qsizetype at = 0;
    const qsizetype size = html.size();
    while (at < size) {
        const qsizetype open = html.indexOf(QLatin1Char('<'), at);
        const qsizetype textEnd = open < 0 ? size : open;
        if (!inDrawing || inDrawingTitle)
            text += QStringView(html).mid(at, textEnd - at);
        if (open < 0)
            break;
        if (html.mid(open, 4) == QLatin1String("<!--")) {
            const qsizetype close = html.indexOf(QLatin1String("-->"), open + 4);
            at = close < 0 ? size : close + 3;
            continue;
        }
        const qsizetype close = html.indexOf(QLatin1Char('>'), open);
        if (close < 0)
            break;
        // The tag's name, lower case, and whether it closes.
        qsizetype nameStart = open + 1;
        const bool closing = nameStart < close && html.at(nameStart) == QLatin1Char('/');
        if (closing)
            ++nameStart;
        qsizetype nameEnd = nameStart;
        while (nameEnd < close && html.at(nameEnd).isLetterOrNumber())
            ++nameEnd;
        const QString name = html.mid(nameStart, nameEnd - nameStart).toLower();
        at = close + 1;
        if (!closing && skipped.contains(name)) {
            const qsizetype end =
                html.indexOf(QStringLiteral("</") + name, at, Qt::CaseInsensitive);
            const qsizetype endClose = end < 0 ? -1 : html.indexOf(QLatin1Char('>'), end);
            at = endClose < 0 ? size : endClose + 1;
            continue;
        }
        if (name == QLatin1String("svg"))
            inDrawing = !closing;
        else if (inDrawing && name == QLatin1String("title"))
            inDrawingTitle = !closing;
        // A heading ends as a sentence does, so that a piece of text read out of the page
        // does not run it into the sentence after it ("Соринка в глазу. Попросите…").
        static const QStringList headings = {QStringLiteral("h1"), QStringLiteral("h2"),
                                             QStringLiteral("h3"), QStringLiteral("h4"),
                                             QStringLiteral("h5"), QStringLiteral("h6")};
        if (closing && headings.contains(name)) {
            qsizetype last = text.size() - 1;
            while (last >= 0 && text.at(last).isSpace())
                --last;
            if (last >= 0 && !QStringLiteral(".!?:…").contains(text.at(last)))
                text.insert(last + 1, QLatin1Char('.'));
        }
        if (!inlineTags.contains(name))
            text += QLatin1Char(' ');
    }
    text = decodeEntities(text);
    text.remove(QChar(0x00AD)).remove(QChar(0x2060)).remove(QChar(0x200B));
    return text.simplified();
}

} // namespace search
