#include "shell/listfill.h"

#include "store/recordset.h"

#include <QListWidget>
#include <QStringList>

namespace shell {

void fillListFromStatement(QListWidget* list, store::Connection& connection,
                           const QString& statement) {
    store::Recordset rs;
    rs.setActiveConnection(&connection);
    rs.setSource(statement);
    rs.Open();

    // Collect first: a failure while stepping leaves the list as it was, and one addItems call
    // keeps a long result fast.
    QStringList words;
    while (!rs.eof()) {
        words.append(rs.field(QStringLiteral("word")).toString());
        rs.MoveNext();
    }
    rs.Close();

    list->setUniformItemSizes(true);
    list->clear();
    list->addItems(words);
}

} // namespace shell
