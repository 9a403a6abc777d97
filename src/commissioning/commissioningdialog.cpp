// SPDX-License-Identifier: Apache-2.0
#include "commissioning/commissioningdialog.h"

#include "commissioning/commissioningmodel.h"
#include "forms/windowflags.h"
#include "mainwindow/devicelistdelegate.h"
#include "mainwindow/devicetablemodel.h"
#include "mainwindow/rowcopy.h"
#include "net/sender.h"
#include "plan/assign.h"
#include "ui/appshell.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeView>

#include <algorithm>
#include <climits>

namespace {

CommissioningModel::Row rowOf(const DeviceTexts &texts)
{
    using namespace DeviceColumn;
    CommissioningModel::Row row;
    row.mac = texts[Mac];
    row.address = texts[Ip];
    row.name = texts[Name];
    row.location = texts[Location];
    // As the list shows it: the device type is the one text it translates.
    row.type = DeviceTableModel::translatedWord(texts[Type]);
    return row;
}

std::vector<CommissioningModel::Row> deviceRows(const QList<DeviceTexts> &devices)
{
    std::vector<CommissioningModel::Row> rows;
    rows.reserve(std::size_t(devices.size()));
    for (const DeviceTexts &texts : devices)
        rows.push_back(rowOf(texts));
    return rows;
}

CommissioningModel::Mark markOf(RowStatus status)
{
    switch (status) {
    case RowStatus::Updated:
    case RowStatus::Unchanged:
        return CommissioningModel::Mark::Good;
    case RowStatus::Refused:
    case RowStatus::NotVerified:
    case RowStatus::NoAnswer:
        return CommissioningModel::Mark::Bad;
    case RowStatus::NotFound:
    case RowStatus::NotSent:
        return CommissioningModel::Mark::Warning;
    default:
        return CommissioningModel::Mark::None;
    }
}

} // namespace

CommissioningDialog::CommissioningDialog(QWidget *parent, const QList<DeviceTexts> &devices, bool assigning)
    // A long list wants room: the dialog may be maximised.
    : CommissioningDialogBase(parent, nullptr, false, DialogWindowFlags() | Qt::WindowMaximizeButtonHint)
    , m_assigning(assigning)
    , m_rows(nullptr)
{
    m_found.reserve(devices.size());
    for (const DeviceTexts &texts : devices)
        m_found << DeviceSettings::fromTexts(texts);
    // The run's progress shows once there is one.
    for (QWidget *widget : std::initializer_list<QWidget *>{Progress, ProgressText, Summary})
        widget->hide();
    m_wake.setSingleShot(true);
    connect(&m_wake, &QTimer::timeout, this, [this] {
        m_run->advance(now());
        pump();
    });
    m_clock.start();
}

CommissioningDialog::CommissioningDialog(QWidget *parent, const QList<DeviceTexts> &devices, const QString &selectedMac)
    : CommissioningDialog(parent, devices, true)
{
    // A row per device, in the same order.
    std::vector<CommissioningModel::Row> rows = deviceRows(devices);
    for (CommissioningModel::Row &row : rows)
        row.checked = row.mac == selectedMac;
    m_filledFields = QStringList(3);
    showRows(new CommissioningModel(std::move(rows), this));
}

CommissioningDialog::CommissioningDialog(QWidget *parent, const QList<DeviceTexts> &devices, Plan plan,
                                         const QString &planName)
    : CommissioningDialog(parent, devices, false)
{
    m_filePlan = std::move(plan);
    m_planName = planName;
    const DeviceIndex index(m_found);
    std::vector<CommissioningModel::Row> rows;
    rows.reserve(std::size_t(m_filePlan.size()));
    for (const PlanRow &line : std::as_const(m_filePlan)) {
        const int device = index.find(line.mac);
        rows.push_back(device >= 0 ? rowOf(devices[device]) : CommissioningModel::Row());
        if (device < 0)
            rows.back().mac = line.mac;
        rows.back().checked = true;
    }
    AssignGroup->hide();
    PlanLabel->show();
    showRows(new CommissioningModel(std::move(rows), this));
}

void CommissioningDialog::showRows(CommissioningModel *rows)
{
    m_rows = rows;
    Devices->setModel(rows);
    // Columns as wide as their texts; a text cut short shows as a tip.
    new DeviceListDelegate(Devices);
    // Ctrl+C copies the selected rows, statuses included, for a report.
    new RowCopy(Devices);
    connect(rows, &CommissioningModel::checksChanged, this, &CommissioningDialog::updateChecks);
    languageChange();
}

CommissioningDialog::~CommissioningDialog() = default;

void CommissioningDialog::languageChange()
{
    // The base constructor's own call comes before the rows exist.
    CommissioningDialogBase::languageChange();
    if (!m_rows)
        return;
    if (!m_assigning) {
        setWindowTitle(tr("Apply Plan"));
        // In one step: a second arg() would take a "%1" in the file's name.
        PlanLabel->setText(tr("Plan %1: %2 lines. Uncheck the lines to leave out.")
                               .arg(m_planName, QString::number(m_filePlan.size())));
    }
    // The column titles, in the new language.
    emit m_rows->headerDataChanged(Qt::Horizontal, 0, CommissioningModel::ColumnCount - 1);
    if (!m_run)
        updateChecks();
}

void CommissioningDialog::setRunOptions(const PlanRunOptions &options)
{
    m_options = options;
}

void CommissioningDialog::updateChecks()
{
    if (m_run)
        return;
    const std::vector<int> checked = m_rows->checkedRows();
    for (int row = 0; row < m_rows->size(); ++row) {
        CommissioningModel::Row &shown = m_rows->edit(row);
        shown.preview.clear();
        shown.status.clear();
        shown.statusTip.clear();
        shown.mark = CommissioningModel::Mark::None;
    }
    if (m_assigning)
        checkRange(checked);
    else
        checkPlan(checked);
    m_rows->rowsEdited();

    CheckedCount->setText(tr("%1 of %2 checked").arg(checked.size()).arg(m_rows->size()));
    if (checked.empty())
        ChecksMessage->setText(tr("Check the devices to change."));
    else if (!m_checksPass)
        ChecksMessage->setText(tr("Apply is possible once the marked fields and rows are right."));
    else
        ChecksMessage->setText(tr("The checks pass: Apply sends the new settings to the %1 devices checked.")
                                   .arg(checked.size()));
    Apply->setEnabled(m_checksPass);
}

void CommissioningDialog::checkRange(const std::vector<int> &checked)
{
    // Untouched address fields show the first checked device's settings.
    const QStringList typed{First_Address->text(), Subnet_Mask->text(), Gateway->text()};
    if (typed == m_filledFields && !checked.empty()) {
        const DeviceSettings &first = m_found[checked.front()];
        m_filledFields = QStringList{first.ip, first.mask, first.gateway};
        First_Address->setText(first.ip);
        Subnet_Mask->setText(first.mask);
        Gateway->setText(first.gateway);
    }

    AssignRequest request;
    for (int row : checked)
        request.macs << m_rows->row(row).mac;
    request.first = First_Address->text();
    request.mask = Subnet_Mask->text();
    request.gateway = Gateway->text();
    request.namePattern = Name_Pattern->text();
    if (!Location->text().isEmpty())
        request.location = Location->text();
    const AssignResult result = BuildAssignPlan(m_found, request);

    // With nothing checked the empty fields are not yet wrong.
    const auto message = [&](AssignField field) { return checked.empty() ? QString() : result.fieldError(field); };
    showFieldMessage(First_AddressMessage, message(AssignField::First));
    showFieldMessage(Subnet_MaskMessage, message(AssignField::Mask));
    showFieldMessage(GatewayMessage, message(AssignField::Gateway));
    showFieldMessage(Name_PatternMessage, message(AssignField::NamePattern));
    showFieldMessage(LocationMessage, message(AssignField::Location));

    for (std::size_t i = 0; i < checked.size(); ++i) {
        CommissioningModel::Row &row = m_rows->edit(checked[i]);
        const PlanRow &line = result.plan[qsizetype(i)];
        row.preview = line.ip.value_or(QString());
        if (line.name)
            row.preview += (row.preview.isEmpty() ? QString() : QStringLiteral(", ")) + *line.name;
        if (const QString &error = result.rowErrors[qsizetype(i)]; !error.isEmpty()) {
            row.status = row.statusTip = error;
            row.mark = CommissioningModel::Mark::Bad;
        }
    }
    m_plan = result.plan;
    m_rowOf = checked;
    m_checksPass = !checked.empty() && result.ok();
}

void CommissioningDialog::checkPlan(const std::vector<int> &checked)
{
    Plan plan;
    for (int row : checked)
        plan << m_filePlan[row];
    const PlanCheck check = CheckPlan(plan, m_found);
    for (std::size_t i = 0; i < checked.size(); ++i) {
        const RowCheck &verdict = check.rows[qsizetype(i)];
        CommissioningModel::Row &row = m_rows->edit(checked[i]);
        if (!verdict.errors.isEmpty()) {
            row.status = row.statusTip = verdict.errors.join(QLatin1String("; "));
            row.mark = CommissioningModel::Mark::Bad;
        } else if (!verdict.found()) {
            row.status = RowStatusText(RowStatus::NotFound, 0, Wording::Shown);
            row.mark = CommissioningModel::Mark::Warning;
        } else if (!verdict.warning.isEmpty()) {
            row.status = row.statusTip = verdict.warning;
            row.mark = CommissioningModel::Mark::Warning;
        }
        if (verdict.found())
            row.preview = verdict.unchanged() ? tr("no change") : ChangesText(verdict.changes, Wording::Shown);
    }
    m_plan = plan;
    m_rowOf = checked;
    m_checksPass = !checked.empty() && !check.failed();
}

void CommissioningDialog::showFieldMessage(QLabel *label, const QString &message)
{
    label->setText(message);
    label->setVisible(!message.isEmpty());
}

void CommissioningDialog::CheckAll_clicked()
{
    m_rows->setShownChecked(true);
}

void CommissioningDialog::CheckNone_clicked()
{
    m_rows->setShownChecked(false);
}

void CommissioningDialog::Filter_textChanged(const QString &text)
{
    m_rows->setFilterText(text);
}

void CommissioningDialog::Fields_textEdited()
{
    updateChecks();
}

void CommissioningDialog::Apply_clicked()
{
    if (!m_checksPass || m_run)
        return;
    m_rows->setChecksLocked(true);
    for (QWidget *widget : std::initializer_list<QWidget *>{AssignGroup, CheckAll, CheckNone, Apply, Close})
        widget->setEnabled(false);
    for (QWidget *widget : std::initializer_list<QWidget *>{Progress, ProgressText, Summary})
        widget->show();
    Cancel->setEnabled(true);
    ChecksMessage->setText(tr("Sending the new settings…"));

    PlanRunOptions options = m_options;
    options.discoveryMs = 0;
    m_run = std::make_unique<PlanRun>(m_plan, options);
    m_run->start(now(), m_found);
    for (int i = 0; i < m_run->rowCount(); ++i)
        showRowState(i);
    Progress->setRange(0, std::max(1, m_run->rowCount()));
    pump();
}

void CommissioningDialog::pump()
{
    // A modal message box would let answers in before this call is through:
    // it is shown last.
    QString failure;
    const QStringList queries = m_run->takeQueries();
    for (qsizetype i = 0; i < queries.size() && failure.isEmpty(); ++i) {
        failure = SendToAllAdapters(queries[i], false);
        // Nothing can go out: whatever waits is over.
        if (!failure.isEmpty())
            m_run->sendFailed(now(), queries.mid(i));
    }
    const QList<int> changed = m_run->takeChangedRows();
    for (int row : changed)
        showRowState(row);
    if (!changed.isEmpty())
        m_rows->rowsEdited();
    Progress->setValue(m_run->doneCount());
    ProgressText->setText(tr("%1 of %2 done").arg(m_run->doneCount()).arg(m_run->rowCount()));

    // Called only while the run goes on, or as it starts: finished, it
    // finished in this call.
    if (m_run->finished()) {
        m_wake.stop();
        const QString summary = PlanSummary(m_run->rows(), Wording::Shown);
        Summary->setText(m_run->cancelled() ? tr("Cancelled: %1").arg(summary) : summary);
        ChecksMessage->setText(tr("Done."));
        Cancel->setEnabled(false);
        Close->setEnabled(true);
        Close->setFocus();
        // A discovery could not go out either: the one box below says why.
        if (failure.isEmpty())
            emit runFinished();
    } else if (const qint64 wake = m_run->nextWakeMs(); wake >= 0) {
        m_wake.start(int(std::clamp<qint64>(wake - now(), 0, INT_MAX)));
    }
    if (!failure.isEmpty())
        ShowMessage(failure);
}

void CommissioningDialog::showRowState(int planRow)
{
    const PlanRowState &state = m_run->rows()[planRow];
    CommissioningModel::Row &row = m_rows->edit(m_rowOf[std::size_t(planRow)]);
    // The checks' warning stays in sight through the run.
    QStringList why{state.message, m_run->check().rows[planRow].warning};
    why.removeAll(QString());
    row.statusTip = why.join(QLatin1String("; "));
    const QString word = RowStatusText(state.status, state.attempts, Wording::Shown);
    if (state.status == RowStatus::Updated)
        row.status = word + QStringLiteral(" \u2713");
    else if (!row.statusTip.isEmpty() && IsFinal(state.status))
        row.status = tr("%1: %2").arg(word, row.statusTip);
    else
        row.status = word;
    row.mark = markOf(state.status);
}

void CommissioningDialog::Cancel_clicked()
{
    if (!isRunning())
        return;
    if (m_run->cancelled()) {
        // Asked twice: no more waiting either.
        m_run->cancel(now(), PlanRun::Cancel::SettleNow);
    } else {
        m_run->cancel(now(), PlanRun::Cancel::SettleInFlight);
        Summary->setText(tr("Cancelled: nothing more is sent; what was sent stays sent. "
                            "Waiting for the answers to the writes already out (Cancel again to stop waiting)."));
    }
    pump();
}

void CommissioningDialog::reject()
{
    if (isRunning()) {
        Cancel_clicked();
        return;
    }
    CommissioningDialogBase::reject();
}

void CommissioningDialog::takeReadAnswer(const QString &text)
{
    // Only the check after the writes wants the devices' answers.
    if (m_run && m_run->phase() == PlanRun::Phase::Verifying) {
        m_run->takeAnswer(text, now());
        pump();
    }
}

bool CommissioningDialog::takeWriteAnswer(const QString &text)
{
    WriteResponse response;
    if (!m_run || !ParseWriteResponse(text, &response) || !m_run->hasRowFor(response.mac))
        return false;
    // A late verdict, after the run, is taken all the same: no box for it.
    if (isRunning()) {
        m_run->takeWriteResponse(response, now());
        pump();
    }
    return true;
}
