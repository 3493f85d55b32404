// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What a query says beyond its words: the keyboard it was typed on, and whether it speaks
// of a child.
namespace search {

// The query as the same keys give it in the Russian layout ("j;ju" is "ожог"): what a person
// typed with the keyboard left in the Latin layout. Empty when the query has no Latin letter
// to retype.
QString inRussianLayout(const QString& query);

// Whether the query names a child: a baby, an infant, a son, "ребёнок".
bool namesAChild(const QString& query);

// Whether an article, by its title, is about children rather than adults.
bool isAboutChildren(const QString& title);

} // namespace search
