#pragma once

#include <QString>
#include <memory>

struct sqlite3;

namespace store {

// One connection to the word list file. Provider and connection string are kept for the
// record; every connection opens the file named by databasePath().
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setProvider(const QString& provider) { m_provider = provider; }
    void setConnectionString(const QString& connectionString) {
        m_connectionString = connectionString;
    }
    QString provider() const { return m_provider; }
    QString connectionString() const { return m_connectionString; }

    // Opens the file; throws StoreError when it is missing, unreadable or not a word list.
    void Open(const QString& userId = {}, const QString& password = {});
    void Close();
    bool isOpen() const { return m_db != nullptr; }

    // Groups many row writes into one transaction (a single commit for the disk).
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool inTransaction() const { return m_transactionDepth > 0; }

    // For the store's own classes only.
    sqlite3* handle() const;
    // Throws StoreError when the file was deleted, replaced or overwritten by someone else since
    // this process last opened or wrote it; a file deleted or moved away is first copied out,
    // from what this connection still holds, to a recovery copy beside it.
    void checkFileStillThere();
    // After a commit: the file as this process left it (see checkFileStillThere).
    void noteCommitted();

private:
    QString m_provider;
    QString m_connectionString;
    sqlite3* m_db = nullptr;
    int m_transactionDepth = 0;
    QString m_path;
    unsigned long long m_device = 0;
    unsigned long long m_inode = 0;
};

} // namespace store
