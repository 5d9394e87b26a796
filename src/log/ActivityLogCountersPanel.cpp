#include "ActivityLogCountersPanel.h"

#include <QGridLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

QLabel *valueLabel(const QString &name)
{
    auto *label = new QLabel;
    label->setObjectName(name);
    label->setFrameShape(QFrame::StyledPanel);
    label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 9);
    return label;
}

} // namespace

ActivityLogCountersPanel::ActivityLogCountersPanel(QWidget *parent) : QWidget(parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    m_created = addCount(u"* Created"_s, u"created"_s, 0);
    m_reOpened = addCount(u"* Re-Opened"_s, u"reOpened"_s, 1);
    m_onHold = addCount(u"On Hold"_s, u"onHold"_s, 2);
    m_closed = addCount(u"Closed"_s, u"closed"_s, 3);
    m_active = addCount(u" Active"_s, u"active"_s, 4);
    m_sinceDate = valueLabel(u"sinceDate"_s);
    m_sinceTime = valueLabel(u"sinceTime"_s);
    auto *since = new QLabel(u"Counting Since :"_s);
    since->setObjectName(u"countingSince"_s);
    grid->addWidget(since, 0, 5, Qt::AlignRight);
    grid->addWidget(m_sinceDate, 1, 5);
    grid->addWidget(m_sinceTime, 1, 6);
    grid->setColumnStretch(7, 1);
}

QLabel *ActivityLogCountersPanel::addCount(const QString &caption, const QString &name, int column)
{
    auto *grid = static_cast<QGridLayout *>(layout());
    auto *title = new QLabel(caption);
    title->setObjectName(name + u"Caption"_s);
    QLabel *value = valueLabel(name);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(title, 0, column);
    grid->addWidget(value, 1, column);
    return value;
}

void ActivityLogCountersPanel::display(const ActivityLogCounters &counters)
{
    const ActivityLogCounts &counts = counters.counts();
    const bool complete = counters.complete();
    const auto show = [complete](QLabel *label, int count) {
        label->setText(complete ? QString::number(count) : QString());
    };
    show(m_created, counts.created);
    show(m_reOpened, counts.reOpened);
    show(m_onHold, counts.onHold);
    show(m_closed, counts.closed);
    show(m_active, counts.active);
    m_sinceDate->setText(counters.countingSinceDate());
    m_sinceTime->setText(counters.countingSinceTime());
}

} // namespace vellum
