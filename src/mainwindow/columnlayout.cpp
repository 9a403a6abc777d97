// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/mainwindow.h"

#include "layout/columnlayoutrecord.h"
#include "ui/appshell.h"

#include <QDebug>
#include <QHeaderView>
#include <QTreeView>

using namespace ColumnLayoutRecord;

void Zol_ClientMainWindow::loadColumnLayout()
{
    // Opening for writing creates an empty file on the first run. Only a plain
    // file can hold the record: a pipe or a device would never end or block.
    ConfigFile.setFileName(QStringLiteral("config.cfg"));
    if (ConfigFile.open(QIODevice::ReadWrite) && ConfigFile.isSequential())
        ConfigFile.close();
    if (ConfigFile.isOpen()) {
        LayoutLoaded = readBlocks(ConfigFile, ColumnLayout.get());
        // A language switch on the command line wins over the file.
        if (CurrentLanguage.isEmpty() && ConfigFile.size() != 0)
            CurrentLanguage = languageOf(ColumnLayout.get());
    }
    if (!LayoutLoaded)
        return;

    QHeaderView *header = MainList->header();
    const Columns columns = columnsOf(ColumnLayout.get());
    for (int i = 0; i < ColumnCount; ++i) {
        qDebug().noquote() << traceLine("Assigning col ", i, MainList->model()->headerData(i, Qt::Horizontal).toString(),
                                        columns[i].width, columns[i].order);
        header->resizeSection(i, columns[i].width);
    }

    // Moving each column to its order one after the other does not always
    // rebuild the saved arrangement (a later move shifts an earlier one), so
    // fill the positions from the left instead.
    QList<int> shown;
    for (int v = 0; v < header->count(); ++v)
        shown << header->logicalIndex(v);
    const QList<int> target = arrangement(columns, shown);
    for (int v = 0; v < target.size(); ++v) {
        if (target[v] >= 0 && header->visualIndex(target[v]) != v)
            header->moveSection(header->visualIndex(target[v]), v);
    }
}

void Zol_ClientMainWindow::saveColumnLayout()
{
    const QHeaderView *header = MainList->header();
    Columns columns;
    for (int i = 0; i < ColumnCount; ++i) {
        columns[i].order = header->visualIndex(i);
        columns[i].width = header->sectionSize(i);
        qDebug().noquote() << traceLine("Detecting col ", i, MainList->model()->headerData(i, Qt::Horizontal).toString(),
                                        columns[i].width, columns[i].order);
    }
    const QByteArray record = encode(columns, CurrentLanguage);

    // Nothing is written when the file could not be opened at start-up. The
    // new record replaces the file in one step, so a failure keeps the old one.
    if (ConfigFile.isOpen()) {
        ConfigFile.close();
        replaceFile(ConfigFile.fileName(), record);
    }
    ColumnLayout.reset();
}
