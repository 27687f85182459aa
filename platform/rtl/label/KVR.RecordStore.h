#pragma once
// The records of a data table, compact: a run of 100,000 labels keeps its
// records for the whole print, and a string list per record with a string
// per field took about ten times the room of the text itself.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

// Every field's text back to back in one UTF-8 buffer, with where each field
// and each record ends; a field becomes a string again when it is read.
// Records keep their own number of fields. Reads as a list of string lists
// (size, [], at, iteration, ==) for those that walk the records.
class TKVRRecords
{
public:
    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = QStringList;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = QStringList;

        const_iterator() = default;
        const_iterator(const TKVRRecords* aRecords, size_t aRow) : fRecords(aRecords), fRow(aRow) {}
        QStringList operator*() const { return (*fRecords)[fRow]; }
        const_iterator& operator++()
        {
            ++fRow;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++fRow;
            return before;
        }
        bool operator==(const const_iterator& aOther) const { return fRow == aOther.fRow; }

    private:
        const TKVRRecords* fRecords = nullptr;
        size_t fRow = 0;
    };

    size_t size() const { return fRecordEnds.size(); }
    bool empty() const { return fRecordEnds.empty(); }
    // The record's fields as strings.
    QStringList operator[](size_t aRow) const;
    // As [], raising std::out_of_range past the last record.
    QStringList at(size_t aRow) const;
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }
    bool operator==(const TKVRRecords& aOther) const = default;

    int32_t FieldCount(size_t aRow) const;
    // The text of field aColumn (from 0) of record aRow; empty past the
    // record's fields. aRow must be a record.
    QString Field(size_t aRow, int32_t aColumn) const;

    // A field of the record being added, then the record's end.
    void AddField(QStringView aText);
    void EndRecord();
    void Append(const QStringList& aRow);
    // Gives back what growing left over, once the last record is in.
    void Squeeze();

private:
    size_t FirstField(size_t aRow) const { return aRow == 0 ? 0 : fRecordEnds[aRow - 1]; }

    // UTF-8 is lossless here: the readers only make well-formed text.
    QByteArray fText;
    std::vector<int64_t> fFieldEnds;  // byte offset in fText past each field
    std::vector<size_t> fRecordEnds;  // index in fFieldEnds past each record's last field
};
