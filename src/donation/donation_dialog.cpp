// SPDX-License-Identifier: GPL-3.0-or-later
#include "donation/donation_dialog.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "data/data_state.h"
#include "data/day_words.h"
#include "data/donation_files.h"
#include "data/error_log.h"

namespace orbisca {

namespace {

using namespace base_line;

QPushButton* button() {
    auto* b = new QPushButton;
    b->setAutoDefault(false);
    return b;
}

// Sets a list's entries and its choice without the list reporting a change.
void setEntries(QComboBox* box, const QStringList& entries, int chosen) {
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(entries);
    box->setCurrentIndex(chosen);
}

void choose(QComboBox* box, int index) {
    const QSignalBlocker block(box);
    box->setCurrentIndex(index);
}

}  // namespace

DonationDialog::DonationDialog(DataState& dataState, QWidget* parent)
    : QDialog(parent), data_(dataState) {
    setObjectName(QStringLiteral("donationDialog"));
    setModal(true);
    createControls();
}

void DonationDialog::createControls() {
    text_ = new QPlainTextEdit;
    text_->setReadOnly(true);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFocusPolicy(Qt::ClickFocus);  // Tab goes from button to button
    text_->setTabChangesFocus(true);

    answerPanel_ = new QWidget;
    donate_ = button();
    remind_ = button();
    remindAfter_ = new QComboBox;  // the listed numbers only: strt.dat must hold a number
    for (int launches : kRemindAfterChoices) remindAfter_->addItem(QString::number(launches));
    remindAfter_->setCurrentText(QString::number(kRemindAfterDefault));
    launchesLabel_ = new QLabel;
    never_ = button();
    close_ = button();
    // Two rows on each panel, the closing buttons bottom right on both.
    auto* answers = new QGridLayout(answerPanel_);
    answers->setContentsMargins(0, 0, 0, 0);
    auto* remindRow = new QHBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{donate_, remind_, remindAfter_, launchesLabel_})
        remindRow->addWidget(w);
    remindRow->addStretch();
    answers->addLayout(remindRow, 0, 0);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(never_);
    closeRow->addWidget(close_);
    answers->addLayout(closeRow, 1, 0);

    detailsPanel_ = new QWidget;
    back_ = button();
    countryLabel_ = new QLabel;
    country_ = new QComboBox;
    currencyLabel_ = new QLabel;
    currency_ = new QComboBox;
    print_ = button();
    detailsClose_ = button();
    auto* details = new QGridLayout(detailsPanel_);
    details->setContentsMargins(0, 0, 0, 0);
    auto* listRow = new QHBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{back_, countryLabel_, country_, currencyLabel_, currency_})
        listRow->addWidget(w);
    listRow->addStretch();
    details->addLayout(listRow, 0, 0);
    auto* detailButtons = new QHBoxLayout;
    detailButtons->addStretch();
    detailButtons->addWidget(print_);
    detailButtons->addWidget(detailsClose_);
    details->addLayout(detailButtons, 1, 0);

    panels_ = new QStackedWidget;
    panels_->addWidget(answerPanel_);
    panels_->addWidget(detailsPanel_);
    auto* column = new QVBoxLayout(this);
    column->addWidget(text_, 1);
    column->addWidget(panels_);
    setFixedSize(600, 400);

    connect(donate_, &QPushButton::clicked, this, &DonationDialog::donate);
    connect(remind_, &QPushButton::clicked, this, &DonationDialog::remindLater);
    connect(never_, &QPushButton::clicked, this, &DonationDialog::switchOff);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    connect(back_, &QPushButton::clicked, this, &DonationDialog::back);
    connect(detailsClose_, &QPushButton::clicked, this, &QDialog::reject);
    connect(print_, &QPushButton::clicked, this, &DonationDialog::printOut);
    connect(country_, &QComboBox::currentIndexChanged, this, &DonationDialog::chooseCountry);
    connect(currency_, &QComboBox::currentIndexChanged, this, &DonationDialog::chooseCurrency);
}

void DonationDialog::countThisLaunch() { state_.due = countLaunch(data_); }

void DonationDialog::showReminder() {
    if (state_.due && !state_.shownThisRun) runReminder();
}

void DonationDialog::runReminder() {
    state_.shownThisRun = true;
    bool ready = false;
    reportFailures(data_, kErrorReadText, kSenderReadText, [this, &ready] { ready = prepare(); });
    if (ready) exec();
    state_.due = false;
}

void DonationDialog::setCaptions() {
    setWindowTitle(baseLine(data_.folder, kDonationCaption));
    donate_->setText(baseLine(data_.folder, kDonate));
    remind_->setText(baseLine(data_.folder, kDonationRemind));
    launchesLabel_->setText(baseLine(data_.folder, kDonationLaunches));
    never_->setText(baseLine(data_.folder, kDonationNever));
    back_->setText(baseLine(data_.folder, kDonationBack));
    close_->setText(baseLine(data_.folder, kDonationClose));
    detailsClose_->setText(baseLine(data_.folder, kDonationClose));
    countryLabel_->setText(baseLine(data_.folder, kDonationCountryLabel));
    currencyLabel_->setText(baseLine(data_.folder, kDonationCurrencyLabel));
    print_->setText(baseLine(data_.folder, kDonationPrint));
    QStringList countries, currencies;
    for (int i = 0; i < kCountries; ++i)
        countries << baseLine(data_.folder, kFirstDonationCountry + i);
    for (int i = 0; i < kCurrencies; ++i)
        currencies << baseLine(data_.folder, kFirstDonationCurrency + i);
    setEntries(country_, countries, 0);
    setEntries(currency_, currencies, 0);
    state_.refusedChoiceMessage = baseLine(data_.folder, kDonationRefused);
    state_.detailsFileWrittenMessage = baseLine(data_.folder, kDonationDetailsWritten);
}

// Captions, texts and the answer panel for a showing; false when BASE.KTX failed (reported).
bool DonationDialog::prepare() {
    setCaptions();
    state_.texts = readDonationTexts(
        data_.folder);  // read afresh: the list never grows from showing to showing
    // What could be read is shown; one message says what could not.
    if (!state_.texts.problems.isEmpty()) data_.notifier.notify(state_.texts.problems.join(u'\n'));
    showLines(greetingLines(state_.texts));
    state_.detailsShown = false;
    panels_->setCurrentWidget(answerPanel_);
    const bool counted = QFileInfo::exists(data_.folder.resolve(QStringLiteral("strt.dat")));
    never_->setVisible(counted);
    close_->setVisible(!counted);
    print_->setEnabled(isSignalConnected(QMetaMethod::fromSignal(&DonationDialog::printAsked)));
    donate_->setFocus();
    return true;
}

void DonationDialog::showLines(const QStringList& lines) { text_->setPlainText(lines.join(u'\n')); }

QStringList DonationDialog::shownLines() const { return text_->toPlainText().split(u'\n'); }

bool DonationDialog::detailsPanelShown() const { return panels_->currentWidget() == detailsPanel_; }

void DonationDialog::donate() {
    if (state_.detailsShown) return;
    panels_->setCurrentWidget(detailsPanel_);
    state_.detailsShown = true;
    showDetails();
}

void DonationDialog::back() {
    panels_->setCurrentWidget(answerPanel_);
    state_.detailsShown = false;
}

void DonationDialog::remindLater() {
    remindAfter(data_,
                kRemindAfterChoices.at(std::size_t(std::max(0, remindAfter_->currentIndex()))));
    accept();
}

void DonationDialog::switchOff() {
    neverRemind(data_);
    accept();
}

void DonationDialog::showDetails() {
    if (!state_.detailsShown) return;
    showLines(detailsLines(state_.texts,
                           detailsView(country_->currentIndex(), currency_->currentIndex())));
    if (state_.switchOffOnDetails) neverRemind(data_);
}

void DonationDialog::chooseCountry(int country) {
    if (isRefusedChoice(country, currency_->currentIndex())) {
        data_.notifier.notify(state_.refusedChoiceMessage);
        choose(currency_, 0);
    }
    showDetails();
}

void DonationDialog::chooseCurrency(int currency) {
    if (isRefusedChoice(country_->currentIndex(), currency)) {
        data_.notifier.notify(state_.refusedChoiceMessage);
        choose(country_, 0);
    }
    showDetails();
}

void DonationDialog::printOut() {
    showDetails();
    emit printAsked(detailsPrintOut(shownLines()));
}

void DonationDialog::done(int result) {
    if (!QFileInfo::exists(data_.folder.resolve(kDonationInfoFile))) {
        state_.switchOffOnDetails = false;
        if (writeDetailsFileOnce(data_, state_.texts))
            data_.notifier.notify(state_.detailsFileWrittenMessage);
    }
    state_.due = false;
    QDialog::done(result);
}

}  // namespace orbisca
