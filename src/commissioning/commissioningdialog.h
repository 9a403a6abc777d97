// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "forms/commissioningdialogbase.h"
#include "net/devicetexts.h"
#include "plan/planrun.h"

#include <QElapsedTimer>
#include <QList>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <vector>

class CommissioningModel;

// Changes many devices at once, from the devices of the main window's list:
// Assign Addresses gives the checked ones a range of addresses (and perhaps
// numbered names and a location); Apply Plan applies the lines of a plan
// file. The plan engine checks the plan as it is typed and carries it out;
// this dialog shows its verdicts, sends its queries and wakes it on time.
// The window hands it the devices' answers while a run goes on.
class CommissioningDialog final : public CommissioningDialogBase
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommissioningDialog)

public:
    // Assign Addresses over the devices listed; the one selected comes checked.
    CommissioningDialog(QWidget *parent, const QList<DeviceTexts> &devices, const QString &selectedMac);
    // Apply Plan: one checked row per line of the plan, named planName.
    CommissioningDialog(QWidget *parent, const QList<DeviceTexts> &devices, Plan plan, const QString &planName);
    ~CommissioningDialog() override;

    CommissioningModel *rows() const { return m_rows; }
    // How the run waits and resends; the devices listed are all there is, so
    // it never discovers.
    void setRunOptions(const PlanRunOptions &options);
    bool isRunning() const { return m_run && !m_run->finished(); }

    // A read answer, while the run checks the devices' new settings.
    void takeReadAnswer(const QString &text);
    // A write answer: true when it is the verdict of a device of this run,
    // which then takes it (not the edit dialog's refusal box).
    bool takeWriteAnswer(const QString &text);

signals:
    // The run is over; the devices may now show new settings. Not said when
    // nothing could be sent, for then no discovery can go out either.
    void runFinished();

public slots:
    void Apply_clicked() override;
    void Cancel_clicked() override;
    void CheckAll_clicked() override;
    void CheckNone_clicked() override;
    void Filter_textChanged(const QString &text) override;
    void Fields_textEdited() override;
    // Esc and the close box stop a run rather than leave it unseen.
    void reject() override;

protected slots:
    void languageChange() override;

private:
    CommissioningDialog(QWidget *parent, const QList<DeviceTexts> &devices, bool assigning);
    void showRows(CommissioningModel *rows);

    // The checks again, after a check box or a field changed.
    void updateChecks();
    void checkRange(const std::vector<int> &checked);
    void checkPlan(const std::vector<int> &checked);
    void showFieldMessage(QLabel *label, const QString &message);
    // Sends what the run asks for, shows what changed and wakes it on time.
    void pump();
    void showRowState(int planRow);
    qint64 now() const { return m_clock.elapsed(); }

    const bool m_assigning;
    QList<DeviceSettings> m_found;
    // Apply Plan: the plan's line of each row.
    Plan m_filePlan;
    QString m_planName;
    // Assign Addresses: a row per device of m_found, in the same order.
    CommissioningModel *m_rows;
    // The address fields follow the first checked device until edited.
    QStringList m_filledFields;

    // What Apply runs: the checked rows' plan, with each plan row's row.
    Plan m_plan;
    std::vector<int> m_rowOf;
    bool m_checksPass = false;

    PlanRunOptions m_options;
    std::unique_ptr<PlanRun> m_run;
    QTimer m_wake;
    QElapsedTimer m_clock;
};
