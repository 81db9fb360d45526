// The search window as the search sees it (SearchView): the criteria and options it reads,
// and the rows, count, indicator and messages it shows, repainted at the search's yields.
#include "search_window.h"

#include "layout.h"
#include "path_label.h"
#include "result_list.h"

#include "platform/files/file_names.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QLineEdit>
#include <QRadioButton>

namespace kestrova {
namespace {

// Events are handled at most this often during a search: a hit's yield within this time of
// the previous one returns at once, so a search with many hits does not repaint per hit.
constexpr qint64 kYieldIntervalMs = 15;

} // namespace

QString SearchWindow::criteriaText()
{
    return txtCriteria->text();
}

bool SearchWindow::caseSensitive()
{
    return optCase->isChecked();
}

bool SearchWindow::dateFilterOn()
{
    return chkDate->isChecked();
}

void SearchWindow::appendRow(const RowTexts &row)
{
    if (!m_closed)
        m_model->append(row);
}

void SearchWindow::clearRows()
{
    m_model->clear();
    m_unreadableDates.clear();
    if (!panelDates->isHidden()) {
        panelDates->hide();
        panelPath->setFixedWidth(m_pathWidth);
    }
}

// Said in the status bar rather than in a message: a search over many catalogues of another
// language would otherwise stop at each.
void SearchWindow::datesUnreadable(const QString &catalogue)
{
    if (m_closed)
        return;
    m_unreadableDates << displayFileName(catalogue);
    panelDates->setPath(tr("Dates not readable: %1").arg(m_unreadableDates.join(QStringLiteral(", "))));
    if (panelDates->isHidden()) {
        panelPath->setFixedWidth(m_pathWidth - panelDates->width());
        panelDates->show();
    }
}

void SearchWindow::setSorted(bool on)
{
    if (m_closed)
        return;
    m_displayStale = true;
    showProgress();
    m_model->setSorted(on);
}

// The count and the indicator's colour change with every hit; the window shows them when it
// next handles its events, as it repaints only then.
void SearchWindow::setCountText(const QString &text)
{
    m_countText = text;
    m_displayStale = true;
    if (!m_session.running)
        showProgress();
}

void SearchWindow::showProgress()
{
    if (m_closed || !m_displayStale)
        return;
    m_displayStale = false;
    panelCount->setText(m_countText);
    // The count is read with what it counts, never as a bare number.
    bool counted = false;
    const qlonglong count = m_countText.toLongLong(&counted);
    panelCount->setAccessibleName(counted ? tr("Total Records Matched: %1").arg(QLocale().toString(count))
                                          : tr("Total Records Matched"));
    setBackgroundColour(fContinue, m_colour == IndicatorColour::Red ? QColor(Qt::red) : QColor(Qt::green));
    m_model->publish();
}

void SearchWindow::setIndicatorCaption(const QString &caption)
{
    if (!m_closed) {
        fContinue->setText(caption);
        fContinue->setAccessibleName(caption.trimmed());
    }
}

IndicatorColour SearchWindow::indicatorColour()
{
    return m_colour;
}

void SearchWindow::setIndicatorColour(IndicatorColour colour)
{
    m_colour = colour;
    m_displayStale = true;
    if (!m_session.running)
        showProgress();
}

void SearchWindow::yield()
{
    if (m_sinceYield.isValid() && m_sinceYield.elapsed() < kYieldIntervalMs)
        return;
    m_displayStale = true;
    showProgress();
    QApplication::processEvents();
    m_sinceYield.start();
}

void SearchWindow::inform(const QString &text)
{
    if (m_closed)
        return;
    m_displayStale = true;
    showProgress();
    m_services.messages.inform(text);
}

} // namespace kestrova
