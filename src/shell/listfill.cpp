#include "shell/listfill.h"

#include "shell/wordlistbox.h"
#include "store/recordset.h"

#include <QStringList>

namespace shell {

void fillListFromStatement(WordListBox* list, store::Connection& connection,
                           const QString& statement, std::vector<qint64>* ids) {
    store::Recordset rs;
    rs.setActiveConnection(&connection);
    rs.setSource(statement);
    rs.Open();

    // Collect first: a failure while stepping leaves the list as it was, and one hand-over of
    // the whole list keeps a long result fast.
    QStringList words;
    std::vector<qint64> rowIds;
    const bool withIds = ids && rs.hasField(QStringLiteral("id"));
    while (!rs.eof()) {
        words.append(rs.field(QStringLiteral("word")).toString());
        if (withIds)
            rowIds.push_back(rs.field(QStringLiteral("id")).toLongLong());
        rs.MoveNext();
    }
    rs.Close();

    list->setWords(words);
    if (ids) {
        rowIds.resize(words.size(), 0);
        ids->swap(rowIds);
    }
}

} // namespace shell
