// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "layout/columnlayoutrecord.h"

#include <QMainWindow>
#include <QPixmap>

QT_BEGIN_NAMESPACE
class QAction;
class QGridLayout;
class QHBoxLayout;
class QMenu;
class QMenuBar;
class QPushButton;
class QSpacerItem;
class QModelIndex;
class QTreeView;
class QVBoxLayout;
QT_END_NAMESPACE

// The main window form: widgets, actions, texts and connections. Every slot's
// body only warns; the controller derives from it and gives the behaviour.
class Zol_ClientMainWindowBase : public QMainWindow
{
    Q_OBJECT

public:
    explicit Zol_ClientMainWindowBase(QWidget *parent = nullptr, const char *name = nullptr,
                                      Qt::WindowFlags fl = Qt::Window);
    ~Zol_ClientMainWindowBase() override;

    QTreeView *MainList;
    QPushButton *Find_All;
    QPushButton *Edit;
    QPushButton *Exit;
    QMenuBar *menubar;
    QMenu *DevicesMenu;
    QMenu *LanguageMenu;
    QMenu *HelpMenu;
    QAction *MEnglish;
    QAction *MChinese;
    QAction *MDetect;
    QAction *MContents;
    QAction *MWhat_s_This;
    QAction *MAbout;
    QAction *MFind;
    QAction *MAssignAddresses;
    QAction *MApplyPlan;
    QAction *MExportList;

    static constexpr int ColumnCount = ColumnLayoutRecord::ColumnCount;

public slots:
    virtual void Find_All_clicked();
    virtual void MainList_doubleClicked(const QModelIndex &);
    virtual void Chinese();
    virtual void English();
    virtual void Detect();
    virtual void About();
    virtual void Exit_clicked();
    virtual void Edit_clicked();
    virtual void MainList_returnPressed(const QModelIndex &);
    virtual void MainList_selectionChanged(const QModelIndex &);
    virtual void AssignAddresses();
    virtual void ApplyPlan();
    virtual void ExportList();

protected:
    QGridLayout *Zol_ClientMainWindowBaseLayout;
    QVBoxLayout *layout36;
    QHBoxLayout *layout35;
    QSpacerItem *buttonSpacer;

    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

protected slots:
    virtual void languageChange();

private:
    QPixmap iconImage;
    QPixmap contentsImage;
};
