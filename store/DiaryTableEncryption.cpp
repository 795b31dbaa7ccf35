#include "store/DiaryTableEncryption.h"

namespace dayvell {
namespace {

// Hands the table's progress to `progress` for one operation.
class ProgressConnection {
public:
    ProgressConnection(engine::Table& table, const TableEncryption::Progress& progress) : table_(table)
    {
        table_.setProgressReceiver(progress);
    }
    ~ProgressConnection() { table_.setProgressReceiver({}); }
    ProgressConnection(const ProgressConnection&) = delete;
    ProgressConnection& operator=(const ProgressConnection&) = delete;

private:
    engine::Table& table_;
};

}  // namespace

void DiaryTableEncryption::setPassword(const QString& password)
{
    storage_.setPassword(password);
}

void DiaryTableEncryption::refresh()
{
    storage_.DiaryTable().reread();
}

void DiaryTableEncryption::decryptAll(const Progress& progress)
{
    engine::Table& table = storage_.DiaryTable();
    const ProgressConnection connection(table, progress);
    table.decryptAll();
}

void DiaryTableEncryption::encryptAll(const Progress& progress)
{
    engine::Table& table = storage_.DiaryTable();
    const ProgressConnection connection(table, progress);
    table.encryptAll();
}

}  // namespace dayvell
