// SPDX-License-Identifier: GPL-3.0-or-later
#include "PracticeScreen.h"

#include "RoundScreen.h"
#include "TopicCell.h"
#include "kit/controllers/BarButtonItem.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/Log.h"
#include "kit/foundation/Plural.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/pickers/AlertView.h"
#include "kit/views/Font.h"
#include "kit/views/Label.h"
#include "kit/views/ProgressView.h"
#include "kit/views/TitledButton.h"
#include "kit/views/View.h"
#include "viewer/ButtonLooks.h"
#include "viewer/KeyedView.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>

namespace practice {
namespace {

constexpr int headerHeight = 150;

QDate today()
{
    return kit::RunLoop::main().currentDateTime().date();
}

bool practiceIsUp(kit::ViewController& over)
{
    for (kit::ViewController* screen = &over; screen; screen = screen->modalViewController())
        if (qobject_cast<PracticeScreen*>(screen) || qobject_cast<RoundScreen*>(screen))
            return true;
    return false;
}

std::shared_ptr<const quiz::QuizBank> bankOrMessage()
{
    QStringList faults;
    std::shared_ptr<const quiz::QuizBank> bank = bundledBank(&faults);
    if (bank)
        return bank;
    auto* alert = new kit::AlertView(
        QStringLiteral("Вопросы недоступны"),
        QStringLiteral("Файл вопросов повреждён (%1). Статьи и остальные вкладки работают как "
                       "обычно.")
            .arg(faults.value(0, QStringLiteral("не прочитан"))),
        QStringLiteral("OK"));
    alert->setObjectName(QStringLiteral("practiceUnavailable"));
    alert->show();
    return nullptr;
}

void present(kit::ViewController& over, std::unique_ptr<kit::ViewController> screen)
{
    kit::setFrame(screen->view(), QRect(0, 0, kit::Window::width, kit::Window::height));
    over.topmostViewController().presentModalViewController(std::move(screen), true);
}

} // namespace

QString bankPath()
{
    return QDir(kit::Bundle::mainBundle().bundlePath()).filePath(QStringLiteral("quiz.json"));
}

std::shared_ptr<const quiz::QuizBank> bundledBank(QStringList* faults)
{
    // Read and checked once: the check reads every page a question comes from.
    static std::shared_ptr<const quiz::QuizBank> kept;
    static QString keptFrom;
    static QStringList keptFaults;
    const QString path = bankPath();
    if (keptFrom != path) {
        keptFrom = path;
        keptFaults.clear();
        std::optional<quiz::QuizBank> bank =
            quiz::loadBank(path, kit::Bundle::mainBundle().bundlePath(), &keptFaults);
        for (const QString& fault : keptFaults)
            kit::log(QStringLiteral("Questions file: %1").arg(fault));
        kept = bank ? std::make_shared<const quiz::QuizBank>(std::move(*bank)) : nullptr;
    }
    if (faults)
        *faults = keptFaults;
    return kept;
}

QString topicOfPage(const QString& page)
{
    static QHash<QString, QString> topics;
    static QString readFrom;
    const QString path = bankPath();
    if (readFrom != path) {
        readFrom = path;
        topics.clear();
        QFile file(path);
        QStringList faults;
        std::optional<quiz::QuizBank> bank;
        if (file.open(QIODevice::ReadOnly))
            bank = quiz::parseBank(file.readAll(), &faults);
        if (bank)
            for (const quiz::Topic& topic : bank->topics)
                if (!bank->questionsOf(topic.id).empty())
                    topics.insert(topic.page, topic.id);
    }
    return topics.value(page);
}

void openPractice(kit::ViewController& over)
{
    if (practiceIsUp(over))
        return;
    if (std::shared_ptr<const quiz::QuizBank> bank = bankOrMessage())
        present(over, std::make_unique<PracticeScreen>(std::move(bank)));
}

void openTopic(kit::ViewController& over, const QString& topic)
{
    if (practiceIsUp(over))
        return;
    std::shared_ptr<const quiz::QuizBank> bank = bankOrMessage();
    if (!bank)
        return;
    if (!bank->topic(topic)) {
        kit::log(QStringLiteral("No questions on %1").arg(topic));
        return;
    }
    const quiz::Progress progress = quiz::Progress::read(kit::UserDefaults::standardUserDefaults());
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    auto questions = quiz::topicRound(*bank, progress, topic, today(), random);
    present(over, std::make_unique<RoundScreen>(std::move(bank), quiz::Mode::Topic,
                                                std::move(questions), seed + 1));
}

PracticeScreen::PracticeScreen(std::shared_ptr<const quiz::QuizBank> bank)
    : _bank(std::move(bank)), _seed(QRandomGenerator::global()->generate())
{
}

PracticeScreen::~PracticeScreen() = default;

RoundScreen* PracticeScreen::round() const
{
    return qobject_cast<RoundScreen*>(modalViewController());
}

void PracticeScreen::loadView()
{
    auto* view = new viewer::KeyedView(QStringLiteral("practiceView"),
                                       [this](int key) { return keyPressed(key); });
    view->resize(kit::Window::width, kit::Window::height);

    _bar = new kit::NavigationBar(view);
    kit::setFrame(_bar, QRect(0, 0, kit::Window::width, kit::NavigationBar::barHeight));
    navigationItem().setTitle(QStringLiteral("Проверь себя"));
    _closeItem = new kit::BarButtonItem(
        QStringLiteral("Закрыть"), kit::BarButtonItem::Style::Bordered, [this] { close(); }, this);
    _closeItem->setObjectName(QStringLiteral("closePractice"));
    navigationItem().setRightBarButtonItem(_closeItem);
    _bar->setItems(&navigationItem(), QString());

    _header = new QWidget();
    _header->setObjectName(QStringLiteral("practiceHeader"));
    _header->resize(kit::Window::width, headerHeight);
    _overall = new kit::Label(_header);
    _overall->setObjectName(QStringLiteral("overall"));
    _overall->setFont(kit::boldSystemFont(16));
    _overall->setTextColor(QColor(0x11, 0x11, 0x11));
    kit::setFrame(_overall, QRect(12, 8, kit::Window::width - 24, 22));
    _overallBar = new kit::ProgressView(_header);
    _overallBar->setObjectName(QStringLiteral("overallProgress"));
    kit::setFrame(_overallBar, QRect(12, 34, kit::Window::width - 24, 9));

    _exam = new kit::TitledButton(QStringLiteral("Экзамен: 20 вопросов"), viewer::looks::answer(),
                                  _header);
    _exam->setObjectName(QStringLiteral("startExam"));
    _exam->setFont(kit::boldSystemFont(16));
    _exam->setAccessibleName(QStringLiteral("Экзамен: 20 вопросов по всем темам"));
    kit::setFrame(_exam, QRect(12, 52, kit::Window::width - 24, 40));
    _exam->addTarget(
        this, [this] { startExam(); }, kit::ControlEvent::TouchUpInside);
    _review =
        new kit::TitledButton(QStringLiteral("Повторить"), viewer::looks::secondAnswer(), _header);
    _review->setObjectName(QStringLiteral("startReview"));
    _review->setFont(kit::boldSystemFont(16));
    kit::setFrame(_review, QRect(12, 98, 150, 40));
    _review->addTarget(
        this, [this] { startReview(); }, kit::ControlEvent::TouchUpInside);
    _reviewNote = new kit::Label(_header);
    _reviewNote->setObjectName(QStringLiteral("reviewNote"));
    _reviewNote->setFont(kit::systemFont(13));
    _reviewNote->setTextColor(QColor(0x55, 0x55, 0x55));
    _reviewNote->setNumberOfLines(2);
    _reviewNote->setLineBreakMode(kit::LineBreakMode::WordWrap);
    kit::setFrame(_reviewNote, QRect(170, 98, kit::Window::width - 182, 40));

    _table = new kit::TableView(view);
    _table->setObjectName(QStringLiteral("practiceTable"));
    kit::setFrame(_table, QRect(0, kit::NavigationBar::barHeight, kit::Window::width,
                                kit::Window::height - kit::NavigationBar::barHeight));
    for (const quiz::Topic& topic : _bank->topics)
        _cells.emplace_back(new TopicCell(topic.id, topic.title));
    _resetCell.reset(new kit::TableViewCell());
    _resetCell->setObjectName(QStringLiteral("resetProgress"));
    _resetCell->textLabel()->setText(QStringLiteral("Начать заново"));
    _resetCell->textLabel()->setTextColor(QColor(0xb0, 0x10, 0x10));
    _resetCell->textLabel()->setAlignment(Qt::AlignCenter);
    _resetCell->setAccessibleName(QStringLiteral("Начать заново: забыть ответы"));
    _table->setDataSource(this);
    _table->setDelegate(this);
    _table->setTableHeaderView(_header);
    setView(view);
}

void PracticeScreen::viewDidLoad()
{
    refresh();
}

void PracticeScreen::viewDidAppear(bool animated)
{
    kit::ViewController::viewDidAppear(animated);
    // Back from a round: what it counted shows.
    refresh();
    _exam->setFocus(Qt::OtherFocusReason);
}

void PracticeScreen::refresh()
{
    _progress = quiz::Progress::read(kit::UserDefaults::standardUserDefaults());
    std::vector<const quiz::Question*> all;
    for (const quiz::Question& question : _bank->questions)
        all.push_back(&question);
    const int known = _progress.known(all);
    const int total = int(all.size());
    const int percent = total > 0 ? int(std::lround(100.0 * known / total)) : 0;
    _overall->setText(QStringLiteral("Знаю %1 из %2 — %3 %").arg(known).arg(total).arg(percent));
    _overall->setAccessibleName(
        QStringLiteral("Знаю %1 из %2 вопросов, %3 процентов").arg(known).arg(total).arg(percent));
    _overallBar->setProgress(total > 0 ? float(known) / float(total) : 0.0f);

    const QDate day = today();
    const auto due = _progress.due(*_bank, day);
    const int dueCount = int(due.size());
    _review->setTitle(dueCount > 0 ? QStringLiteral("Повторить: %1").arg(dueCount)
                                   : QStringLiteral("Повторить"));
    _review->setAccessibleName(
        dueCount > 0
            ? QStringLiteral("Повторить: %1 %2 на сегодня")
                  .arg(dueCount)
                  .arg(kit::russianPlural(dueCount, QStringLiteral("вопрос"),
                                          QStringLiteral("вопроса"), QStringLiteral("вопросов")))
            : QStringLiteral("Повторить: на сегодня нечего"));
    _review->setEnabled(dueCount > 0);
    QString note;
    if (dueCount > 0) {
        note = QStringLiteral("ошибки прошлых дней");
    } else {
        // The next day something comes back, if any.
        QDate next;
        for (const quiz::Question& question : _bank->questions)
            if (const quiz::Record* record = _progress.record(question.id))
                if (record->review > 0 && (!next.isValid() || record->due < next))
                    next = record->due;
        note = next.isValid()
                   ? QStringLiteral("следующее — %1")
                         .arg(QLocale(QLocale::Russian).toString(next, QStringLiteral("d MMMM")))
                   : QStringLiteral("ошибки вернутся сюда назавтра");
    }
    _reviewNote->setText(note);

    for (size_t i = 0; i < _cells.size(); ++i) {
        const QString& topic = _bank->topics[i].id;
        const auto questions = _bank->questionsOf(topic);
        int topicDue = 0;
        for (const quiz::Question* question : questions)
            if (_progress.isDue(question->id, day))
                ++topicDue;
        _cells[i]->setCounts(_progress.known(questions), int(questions.size()), topicDue);
    }
}

int PracticeScreen::numberOfRowsInSection(kit::TableView&, int section)
{
    return section == 0 ? int(_cells.size()) : 1;
}

kit::TableViewCell* PracticeScreen::cellForRowAtIndexPath(kit::TableView&, kit::IndexPath indexPath)
{
    if (indexPath.section == 1)
        return _resetCell.get();
    return _cells.at(size_t(indexPath.row)).get();
}

QString PracticeScreen::titleForHeaderInSection(kit::TableView&, int section)
{
    return section == 0 ? QStringLiteral("Темы") : QString();
}

float PracticeScreen::heightForRowAtIndexPath(kit::TableView&, kit::IndexPath indexPath)
{
    return indexPath.section == 0 ? float(TopicCell::rowHeight) : 48.0f;
}

void PracticeScreen::didSelectRowAtIndexPath(kit::TableView& tableView, kit::IndexPath indexPath)
{
    tableView.deselectRowAtIndexPath(indexPath, false);
    if (indexPath.section == 1)
        askToReset();
    else if (size_t(indexPath.row) < _bank->topics.size())
        startTopic(_bank->topics[size_t(indexPath.row)].id);
}

quint32 PracticeScreen::nextSeed()
{
    return _seed++;
}

void PracticeScreen::start(quiz::Mode mode, std::vector<const quiz::Question*> questions)
{
    if (round())
        return;
    auto screen = std::make_unique<RoundScreen>(_bank, mode, std::move(questions), nextSeed());
    kit::setFrame(screen->view(), QRect(0, 0, kit::Window::width, kit::Window::height));
    presentModalViewController(std::move(screen), true);
}

void PracticeScreen::startTopic(const QString& topic)
{
    QRandomGenerator random(nextSeed());
    start(quiz::Mode::Topic, quiz::topicRound(*_bank, _progress, topic, today(), random));
}

void PracticeScreen::startExam()
{
    QRandomGenerator random(nextSeed());
    start(quiz::Mode::Exam, quiz::examRound(*_bank, random));
}

void PracticeScreen::startReview()
{
    auto questions = quiz::reviewRound(*_bank, _progress, today());
    if (!questions.empty())
        start(quiz::Mode::Review, std::move(questions));
}

void PracticeScreen::askToReset()
{
    if (_resetQuestion)
        return;
    auto* alert = new kit::AlertView(
        QStringLiteral("Начать заново?"),
        QStringLiteral("Все ответы и повторения будут забыты. Карта и настройки не изменятся."),
        {QStringLiteral("Начать заново"), QStringLiteral("Отмена")}, 1);
    alert->setObjectName(QStringLiteral("resetQuestion"));
    alert->setAnswer([self = QPointer<PracticeScreen>(this)](int button) {
        if (!self)
            return;
        self->_resetQuestion = nullptr;
        if (button == 0) {
            kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
            quiz::Progress progress = quiz::Progress::read(defaults);
            progress.reset(kit::RunLoop::main().currentDateTime());
            progress.save(defaults);
            kit::log(QStringLiteral("Practice progress reset"));
            self->refresh();
        }
        if (self->isViewLoaded())
            self->_table->setFocus(Qt::OtherFocusReason);
    });
    _resetQuestion = alert;
    alert->show();
}

void PracticeScreen::close()
{
    if (kit::ViewController* presenter = parentViewController())
        presenter->dismissModalViewControllerAnimated(true);
}

bool PracticeScreen::keyPressed(int key)
{
    if (key == Qt::Key_Escape) {
        close();
        return true;
    }
    return false;
}

} // namespace practice
