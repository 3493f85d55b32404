// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TopicCell.h"
#include "kit/controllers/ViewController.h"
#include "kit/foundation/Owned.h"
#include "kit/tables/TableView.h"
#include "quiz/Practice.h"

#include <QPointer>

#include <memory>
#include <vector>

namespace kit {
class BarButtonItem;
class Label;
class NavigationBar;
class ProgressView;
class TitledButton;
} // namespace kit

namespace practice {

class RoundScreen;

// "Проверь себя" over the whole window: how much is known of all the questions, the exam
// (twenty across topics), the review of the questions due today, and the topics, each with
// how much of it is known; a topic's row starts its questions. "Начать заново" forgets the
// progress after asking once. Escape or "Закрыть" leaves.
class PracticeScreen final : public kit::ViewController,
                             public kit::TableViewDataSource,
                             public kit::TableViewDelegate {
    Q_OBJECT

public:
    explicit PracticeScreen(std::shared_ptr<const quiz::QuizBank> bank);
    ~PracticeScreen() override;

    // The rounds; the seed makes a round's choice and order (tests give their own).
    void startTopic(const QString& topic);
    void startExam();
    void startReview();
    void askToReset();
    void close();
    void setSeed(quint32 seed) { _seed = seed; }
    // Reads the progress again and shows it (a round has ended, a day has passed).
    void refresh();

    RoundScreen* round() const;
    kit::Label* overall() const { return _overall; }
    kit::TitledButton* examButton() const { return _exam; }
    kit::TitledButton* reviewButton() const { return _review; }
    kit::TableView* table() const { return _table; }
    TopicCell* topicCell(int row) const { return _cells[size_t(row)].get(); }

    int numberOfSectionsInTableView(kit::TableView&) override { return 2; }
    int numberOfRowsInSection(kit::TableView& tableView, int section) override;
    kit::TableViewCell* cellForRowAtIndexPath(kit::TableView& tableView,
                                              kit::IndexPath indexPath) override;
    QString titleForHeaderInSection(kit::TableView&, int section) override;
    float heightForRowAtIndexPath(kit::TableView&, kit::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(kit::TableView& tableView, kit::IndexPath indexPath) override;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

private:
    bool keyPressed(int key);
    void start(quiz::Mode mode, std::vector<const quiz::Question*> questions);
    quint32 nextSeed();

    std::shared_ptr<const quiz::QuizBank> _bank;
    quiz::Progress _progress;
    quint32 _seed = 0;
    kit::NavigationBar* _bar = nullptr;
    QPointer<kit::BarButtonItem> _closeItem;
    QWidget* _header = nullptr;
    kit::Label* _overall = nullptr;
    kit::ProgressView* _overallBar = nullptr;
    kit::TitledButton* _exam = nullptr;
    kit::TitledButton* _review = nullptr;
    kit::Label* _reviewNote = nullptr;
    kit::TableView* _table = nullptr;
    std::vector<kit::Owned<TopicCell>> _cells;
    kit::Owned<kit::TableViewCell> _resetCell;
    QPointer<QWidget> _resetQuestion;
};

// Opens "Проверь себя" over the screen on top of over; a bank that cannot be used gives a
// message and changes nothing else.
void openPractice(kit::ViewController& over);
// Opens a topic's questions straight away, the same way (from the end of its article).
void openTopic(kit::ViewController& over, const QString& topic);
// The topic whose article a page is (the page's file name), or empty: such a page ends with
// the link to its questions. Reads only the bank's list of topics, once.
QString topicOfPage(const QString& page);
// The bank's file in the bundle, and the bank as it is there (nothing, faults logged, when it
// cannot be used). Read once and kept.
QString bankPath();
std::shared_ptr<const quiz::QuizBank> bundledBank(QStringList* faults = nullptr);

} // namespace practice
