// SPDX-License-Identifier: GPL-3.0-or-later
#include "QueryForms.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace search {
namespace {

// The standard Russian layout (ЙЦУКЕН) over the US one: each Latin key and what it types in
// Russian, lower case; the same keys with Shift give the capitals.
const QHash<QChar, QChar>& russianKeys()
{
    static const QHash<QChar, QChar> keys = [] {
        const QString latin = QStringLiteral("`qwertyuiop[]asdfghjkl;'zxcvbnm,.");
        const QString russian = QStringLiteral("ёйцукенгшщзхъфывапролджэячсмитьбю");
        const QString latinShifted = QStringLiteral("~QWERTYUIOP{}ASDFGHJKL:\"ZXCVBNM<>");
        QHash<QChar, QChar> map;
        for (qsizetype i = 0; i < latin.size(); ++i) {
            map.insert(latin.at(i), russian.at(i));
            map.insert(latinShifted.at(i), russian.at(i).toUpper());
        }
        return map;
    }();
    return keys;
}

QString folded(const QString& text)
{
    QString lower = text.toLower();
    lower.replace(QChar(u'ё'), QChar(u'е'));
    return lower;
}

} // namespace

QString inRussianLayout(const QString& query)
{
    bool latin = false;
    QString retyped;
    retyped.reserve(query.size());
    for (const QChar c : query) {
        if (c.isLetter() && c.unicode() < 128)
            latin = true;
        retyped += russianKeys().value(c, c);
    }
    return latin ? retyped : QString();
}

bool namesAChild(const QString& query)
{
    static const QRegularExpression child(
        QStringLiteral("(^|[^\\p{L}])(ребен|ребят|дет|дит|младен|малыш|грудн|новорожд|сын|доч|"
                       "девочк|мальчик|школьник|подрост|baby|child|kid|infant)"),
        QRegularExpression::UseUnicodePropertiesOption);
    return child.match(folded(query)).hasMatch();
}

bool isAboutChildren(const QString& title)
{
    static const QRegularExpression child(QStringLiteral("(ребен|младен|дет)"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    return child.match(folded(title)).hasMatch();
}

} // namespace search
