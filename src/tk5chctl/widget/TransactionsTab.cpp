// SPDX-License-Identifier: BSD-3-Clause
// The Transactions tab: the list of buys and sells with the two gain labels, kept as the core's
// transaction list has them, and the list's menu that deletes the last transaction.

#include "TKchartPrivate.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>

namespace tk5 {

void TKchartPrivate::connectTransactions() {
    QObject* ctx = &connections;
    core.onTransactionsChanged = [this] { showTransactions(); };
    core.onWarning = [this](const QString& text) {
        prompts->message(text, MessageIcon::Exclamation);
    };

    mnuPopupListView = new QMenu(QStringLiteral("Listview"), &q);
    mnuPopupListView->setObjectName(QStringLiteral("mnuPopupListView"));
    QAction* remove = mnuPopupListView->addAction(QStringLiteral("Delete"));
    remove->setObjectName(QStringLiteral("mnuPopupListViewDelete"));
    QObject::connect(remove, &QAction::triggered, ctx,
                     [this](bool) { deleteSelectedTransaction(); });

    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(ListView1, &QTreeWidget::customContextMenuRequested, ctx,
                     [this](const QPoint& pos) { listMenuAt(pos); });
}

void TKchartPrivate::showTransactions() {
    const TransactionList& list = core.transactions();
    const int selected = ListView1->indexOfTopLevelItem(ListView1->currentItem());
    ListView1->clear();
    QList<QTreeWidgetItem*> items;
    for (const TransactionRow& r : list.rows) {
        auto* item = new QTreeWidgetItem(QStringList{r.kind, r.price, r.date, r.gain});
        const Color c = r.kind == QLatin1String("B") ? kBuyRowColor : kSellRowColor;
        item->setForeground(0, toQColor(c));
        items << item;
    }
    ListView1->addTopLevelItems(items);
    if (selected >= 0 && selected < items.size()) ListView1->setCurrentItem(items[selected]);
    SumGain->setText(list.sumGain);
    CumGain->setText(list.cumGain);
}

void TKchartPrivate::listMenuAt(const QPoint& pos) {
    if (!ListView1->itemAt(pos)) return;
    const int selected = ListView1->indexOfTopLevelItem(ListView1->currentItem());
    if (!ListView1->currentItem() || !ListView1->currentItem()->isSelected()) return;
    if (selected + 1 != ListView1->topLevelItemCount()) return;
    mnuPopupListView->exec(ListView1->viewport()->mapToGlobal(pos));
}

void TKchartPrivate::deleteSelectedTransaction() {
    const int selected = ListView1->indexOfTopLevelItem(ListView1->currentItem());
    try {
        if (prompts->confirm(QStringLiteral("Delete transaction?\n(corresponding Buys or Sells "
                                            "will also be deleted)"),
                             QStringLiteral("Confirmation"), MessageIcon::Exclamation))
            core.deleteTransaction(selected);
        else
            core.calculateGains();
    } catch (...) {
        // What was deleted stays deleted; the host goes on.
    }
}

} // namespace tk5
