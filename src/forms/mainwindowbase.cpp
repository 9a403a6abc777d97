// SPDX-License-Identifier: Apache-2.0
#include "forms/mainwindowbase.h"

#include "forms/formlayouts.h"
#include "forms/images.h"
#include "mainwindow/devicetablemodel.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpacerItem>
#include <QStatusBar>
#include <QTreeView>
#include <QVBoxLayout>

Zol_ClientMainWindowBase::Zol_ClientMainWindowBase(QWidget *parent, const char *name, Qt::WindowFlags fl)
    : QMainWindow(parent, fl)
    , iconImage(WindowIconXpm)
    , contentsImage(ContentsIconXpm)
{
    statusBar();
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("Zol_ClientMainWindowBase"));
    setWindowIcon(iconImage);

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("qt_central_widget"));
    setCentralWidget(central);
    Zol_ClientMainWindowBaseLayout = new QGridLayout(central);
    Zol_ClientMainWindowBaseLayout->setObjectName(QStringLiteral("Zol_ClientMainWindowBaseLayout"));
    Zol_ClientMainWindowBaseLayout->setContentsMargins(11, 11, 11, 11);
    Zol_ClientMainWindowBaseLayout->setSpacing(6);

    layout36 = makeBox<QVBoxLayout>("layout36");

    MainList = new QTreeView(central);
    MainList->setObjectName(QStringLiteral("MainList"));
    // The devices, as the window fills them in.
    MainList->setModel(new DeviceTableModel(MainList));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHorizontalStretch(0);
    policy.setVerticalStretch(0);
    policy.setHeightForWidth(MainList->sizePolicy().hasHeightForWidth());
    MainList->setSizePolicy(policy);
    MainList->setMinimumSize(0, 0);
    MainList->setMaximumSize(32767, 32767);
    MainList->setMouseTracking(true);
    MainList->setFrameShape(QFrame::StyledPanel);
    MainList->setFrameShadow(QFrame::Sunken);
    MainList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MainList->setAutoScroll(true);
    MainList->setAllColumnsShowFocus(true);
    MainList->setRootIsDecorated(false);
    MainList->setUniformRowHeights(true);
    MainList->setSelectionMode(QAbstractItemView::SingleSelection);
    MainList->setSelectionBehavior(QAbstractItemView::SelectRows);
    MainList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MainList->header()->setStretchLastSection(false);
    MainList->header()->setSectionResizeMode(QHeaderView::Interactive);
    MainList->header()->setSectionsMovable(true);
    // Any column may be dragged to another place, the first one included.
    MainList->header()->setFirstSectionMovable(true);
    // Rows sort by column 0 ascending until the user clicks another header;
    // the sort indicator stays hidden.
    MainList->setSortingEnabled(true);
    MainList->sortByColumn(0, Qt::AscendingOrder);
    MainList->header()->setSortIndicatorShown(false);
    MainList->installEventFilter(this);
    layout36->addWidget(MainList);

    layout35 = makeBox<QHBoxLayout>("layout35");

    Find_All = new QPushButton(central);
    Find_All->setObjectName(QStringLiteral("Find_All"));
    Find_All->setCheckable(false);
    Find_All->setChecked(false);
    Find_All->setAutoDefault(true);
    Find_All->setDefault(true);
    layout35->addWidget(Find_All);

    Edit = new QPushButton(central);
    Edit->setObjectName(QStringLiteral("Edit"));
    Edit->setDefault(true);
    layout35->addWidget(Edit);

    Exit = new QPushButton(central);
    Exit->setObjectName(QStringLiteral("Exit"));
    Exit->setAutoDefault(false);
    Exit->setDefault(true);
    layout35->addWidget(Exit);

    buttonSpacer = new QSpacerItem(558, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    layout35->addItem(buttonSpacer);
    layout36->addLayout(layout35, 0);
    Zol_ClientMainWindowBaseLayout->addLayout(layout36, 0, 0);

    MEnglish = new QAction(this);
    MEnglish->setObjectName(QStringLiteral("MEnglish"));
    MEnglish->setCheckable(true);
    MEnglish->setChecked(false);
    MChinese = new QAction(this);
    MChinese->setObjectName(QStringLiteral("MChinese"));
    MChinese->setCheckable(true);
    MChinese->setChecked(false);
    MDetect = new QAction(this);
    MDetect->setObjectName(QStringLiteral("MDetect"));
    MContents = new QAction(this);
    MContents->setObjectName(QStringLiteral("MContents"));
    MContents->setIcon(QIcon(contentsImage));
    MWhat_s_This = new QAction(this);
    MWhat_s_This->setObjectName(QStringLiteral("MWhat_s_This"));
    MWhat_s_This->setVisible(false);
    MAbout = new QAction(this);
    MAbout->setObjectName(QStringLiteral("MAbout"));
    // Shows the list's find bar; a window action, so that its key works anywhere in the window.
    MFind = new QAction(this);
    MFind->setObjectName(QStringLiteral("MFind"));
    MFind->setShortcut(QKeySequence::Find);
    addAction(MFind);
    // Changing many devices at once, and the list to a file.
    MAssignAddresses = new QAction(this);
    MAssignAddresses->setObjectName(QStringLiteral("MAssignAddresses"));
    MApplyPlan = new QAction(this);
    MApplyPlan->setObjectName(QStringLiteral("MApplyPlan"));
    MExportList = new QAction(this);
    MExportList->setObjectName(QStringLiteral("MExportList"));

    menubar = new QMenuBar(this);
    menubar->setObjectName(QStringLiteral("menubar"));
    setMenuBar(menubar);
    DevicesMenu = new QMenu(this);
    DevicesMenu->addActions({MAssignAddresses, MApplyPlan, MExportList});
    DevicesMenu->addSeparator();
    DevicesMenu->addAction(MFind);
    menubar->addMenu(DevicesMenu);
    // The two languages, the one in force checked.
    LanguageMenu = new QMenu(this);
    auto *languages = new QActionGroup(this);
    languages->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction *language : {MEnglish, MChinese})
        LanguageMenu->addAction(languages->addAction(language));
    menubar->addMenu(LanguageMenu);
    HelpMenu = new QMenu(this);
    HelpMenu->addAction(MAbout);
    menubar->addMenu(HelpMenu);
    menubar->addSeparator();

    Zol_ClientMainWindowBase::languageChange();
    // Each column starts as wide as its title, as a list view column in
    // "widen to fit" mode does.
    for (int column = 0; column < ColumnCount; ++column)
        MainList->header()->resizeSection(column, MainList->header()->sectionSizeHint(column));

    const QSize hint = minimumSizeHint();
    resize(qMax(907, hint.width()), qMax(262, hint.height()));

    // The list's slots are handed the row (its first column), or an invalid
    // index for none.
    const auto selectionChanged = [this] {
        const QModelIndexList selected = MainList->selectionModel()->selectedRows();
        MainList_selectionChanged(selected.isEmpty() ? QModelIndex() : selected.first());
    };
    connect(MainList->selectionModel(), &QItemSelectionModel::selectionChanged, this, selectionChanged);
    // A selected row that a new layout leaves out (filtered) goes without that signal.
    connect(MainList->model(), &QAbstractItemModel::layoutChanged, this, selectionChanged);
    // Return is caught by the event filter below.
    connect(MainList, &QTreeView::doubleClicked, this,
            [this](const QModelIndex &index) { MainList_doubleClicked(index.siblingAtColumn(0)); });
    connect(MChinese, &QAction::triggered, this, [this] { Chinese(); });
    connect(MEnglish, &QAction::triggered, this, [this] { English(); });
    connect(MDetect, &QAction::triggered, this, [this] { Detect(); });
    connect(MAbout, &QAction::triggered, this, [this] { About(); });
    connect(MAssignAddresses, &QAction::triggered, this, [this] { AssignAddresses(); });
    connect(MApplyPlan, &QAction::triggered, this, [this] { ApplyPlan(); });
    connect(MExportList, &QAction::triggered, this, [this] { ExportList(); });
    connect(Find_All, &QPushButton::clicked, this, [this] { Find_All_clicked(); });
    connect(Edit, &QPushButton::clicked, this, [this] { Edit_clicked(); });
    connect(Exit, &QPushButton::clicked, this, [this] { Exit_clicked(); });

    setTabOrder(Find_All, Edit);
    setTabOrder(Edit, Exit);
    setTabOrder(Exit, MainList);
}

Zol_ClientMainWindowBase::~Zol_ClientMainWindowBase() = default;

bool Zol_ClientMainWindowBase::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == MainList && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const QModelIndex current = MainList->currentIndex();
            MainList_returnPressed(current.isValid() ? current.siblingAtColumn(0) : current);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Zol_ClientMainWindowBase::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QMainWindow::changeEvent(event);
}

void Zol_ClientMainWindowBase::languageChange()
{
    setWindowTitle(tr("ZOL Client"));
    Find_All->setText(tr("Find All"));
    Find_All->setShortcut(QKeySequence(tr("F")));
    Edit->setText(tr("Edit"));
    Edit->setShortcut(QKeySequence(tr("E")));
    Exit->setText(tr("Exit"));
    Exit->setShortcut(QKeySequence(tr("Esc")));
    MEnglish->setText(tr("English"));
    MEnglish->setIconText(tr("English"));
    MEnglish->setToolTip(tr("English"));
    MChinese->setText(tr("中文"));
    MChinese->setIconText(tr("中文"));
    MChinese->setToolTip(tr("中文"));
    MChinese->setWhatsThis(QString());
    MDetect->setText(tr("&Detect"));
    MDetect->setIconText(tr("&Detect"));
    MDetect->setToolTip(tr("Detect"));
    MContents->setText(tr("Help"));
    MContents->setIconText(tr("&Help"));
    MWhat_s_This->setText(tr("&What’s This"));
    MWhat_s_This->setIconText(tr("&What’s This"));
    MWhat_s_This->setToolTip(tr("What’s This"));
    MAbout->setText(tr("&About"));
    MAbout->setIconText(tr("&About"));
    MAbout->setToolTip(tr("About"));
    MFind->setText(tr("&Find…"));
    MAssignAddresses->setText(tr("&Assign Addresses…"));
    MAssignAddresses->setToolTip(tr("Give many devices a range of addresses at once"));
    MApplyPlan->setText(tr("Apply &Plan…"));
    MApplyPlan->setToolTip(tr("Change the devices as the lines of a plan file say"));
    MExportList->setText(tr("&Export List…"));
    MExportList->setToolTip(tr("Write the list to a CSV file"));
    DevicesMenu->setTitle(tr("&Devices"));
    LanguageMenu->setTitle(tr("&Language"));
    HelpMenu->setTitle(tr("&Help"));

    // For screen readers and UI automation; nothing on screen changes.
    MainList->setAccessibleName(tr("Devices"));
    MainList->setAccessibleDescription(
        tr("Devices that answered on the local network, one row each. "
           "Double-click a row or press Return to edit its settings."));
    Find_All->setAccessibleName(tr("Find All"));
    Find_All->setAccessibleDescription(tr("Clear the list and search the local network for devices"));
    Edit->setAccessibleName(tr("Edit"));
    Edit->setAccessibleDescription(tr("Change the network settings of the selected device"));
    Exit->setAccessibleName(tr("Exit"));
    Exit->setAccessibleDescription(tr("Close ZOL Client"));
}

void Zol_ClientMainWindowBase::Find_All_clicked()
{
    qWarning("Zol_ClientMainWindowBase::Find_All_clicked(): Not implemented yet");
}

void Zol_ClientMainWindowBase::MainList_doubleClicked(const QModelIndex &)
{
    qWarning("Zol_ClientMainWindowBase::MainList_doubleClicked(QListViewItem*): Not implemented yet");
}

void Zol_ClientMainWindowBase::Chinese()
{
    qWarning("Zol_ClientMainWindowBase::Chinese(): Not implemented yet");
}

void Zol_ClientMainWindowBase::English()
{
    qWarning("Zol_ClientMainWindowBase::English(): Not implemented yet");
}

void Zol_ClientMainWindowBase::Detect()
{
    qWarning("Zol_ClientMainWindowBase::Detect(): Not implemented yet");
}

void Zol_ClientMainWindowBase::About()
{
    qWarning("Zol_ClientMainWindowBase::About(): Not implemented yet");
}

void Zol_ClientMainWindowBase::Exit_clicked()
{
    qWarning("Zol_ClientMainWindowBase::Exit_clicked(): Not implemented yet");
}

void Zol_ClientMainWindowBase::Edit_clicked()
{
    qWarning("Zol_ClientMainWindowBase::Edit_clicked(): Not implemented yet");
}

void Zol_ClientMainWindowBase::MainList_returnPressed(const QModelIndex &)
{
    qWarning("Zol_ClientMainWindowBase::MainList_returnPressed(QListViewItem*): Not implemented yet");
}

void Zol_ClientMainWindowBase::MainList_selectionChanged(const QModelIndex &)
{
    qWarning("Zol_ClientMainWindowBase::MainList_selectionChanged(QListViewItem*): Not implemented yet");
}

void Zol_ClientMainWindowBase::AssignAddresses()
{
    qWarning("Zol_ClientMainWindowBase::AssignAddresses(): Not implemented yet");
}

void Zol_ClientMainWindowBase::ApplyPlan()
{
    qWarning("Zol_ClientMainWindowBase::ApplyPlan(): Not implemented yet");
}

void Zol_ClientMainWindowBase::ExportList()
{
    qWarning("Zol_ClientMainWindowBase::ExportList(): Not implemented yet");
}
