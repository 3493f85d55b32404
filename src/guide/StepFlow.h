// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace guide {

// One answer of a step: its label on the button and the step it leads to.
struct Answer {
    QString label;
    QString next;
};

// One screen of the step-by-step help: an instruction, what it may show, and where each
// answer leads. An end or the CPR coach has no answers.
struct Step {
    QString id;
    QString text;
    // A drawing of a page: the page's file and the 1-based index of its <svg>.
    QString drawingPage;
    int drawingIndex = 0;
    // The full page this step links to.
    QString page;
    // Seconds counted down on the screen (the breathing check), 0 for none.
    int countdown = 0;
    // Seconds after which the step says again to check (the recovery position), 0 for none.
    int repeat = 0;
    bool coach = false;
    // The coach starts set for a child (15 : 2).
    bool coachChild = false;
    // No one touches the person during this step (an AED's analysis): the coach pauses.
    bool handsOff = false;
    bool end = false;
    std::vector<Answer> answers;

    bool isFinal() const { return coach || end; }
};

// The whole flow, as its file describes it.
struct StepFlow {
    QString start;
    std::vector<Step> steps;
    // The steps of using a defibrillator, shown one at a time over the coach.
    std::vector<Step> aed;

    const Step* step(const QString& id) const;
};

// Reads a flow from the text of its file (JSON). Every fault of the file is added to
// faults, one line each, naming the step; a file that cannot be read at all gives nothing.
std::optional<StepFlow> parseFlow(const QByteArray& text, QStringList* faults);

// What is wrong with a flow that was read: an answer that leads nowhere, a step that
// cannot be reached, a step from which no path reaches an end, a drawing or page that is
// not in the bundle folder, a step without answers or with too many, an instruction too
// long to read at a glance. Empty when the flow is sound.
QStringList checkFlow(const StepFlow& flow, const QString& bundleFolder);

// Reads and checks the file of a flow: the flow when it is sound, else nothing and the
// faults.
std::optional<StepFlow> loadFlow(const QString& path, const QString& bundleFolder,
                                 QStringList* faults);

// The words of an instruction, as a reader counts them.
int wordCount(const QString& text);

// The most words an instruction may have.
constexpr int maxWords = 25;
constexpr int maxAnswers = 3;

} // namespace guide
