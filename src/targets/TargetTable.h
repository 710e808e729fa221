#pragma once

#include "targets/TargetList.h"

#include <QAbstractTableModel>
#include <QCollatorSortKey>
#include <QSortFilterProxyModel>

#include <functional>
#include <vector>

//! Every object of the catalogue as Targets Tonight lists it, one row each in the catalogue's
//! order; the proxy filters and sorts it.
class TargetTableModel : public QAbstractTableModel
{
public:
    enum Column
    {
        ObjectColumn,
        KindColumn,
        ConstellationColumn,
        MagnitudeColumn,
        SizeColumn,
        FrameColumn,
        DarkColumn,
        MoonDownColumn,
        BestColumn,
        MoonColumn,
        ColumnCount
    };
    //! The headings, in the columns' order.
    static const std::array<const char*, ColumnCount> Headings;

    using QAbstractTableModel::QAbstractTableModel;

    //! Takes every object's row; `clock` writes a moment (UTC, POSIX seconds) on the zone's clock.
    void SetRows(std::vector<ListedObject> rows, std::function<QString(double)> clock);
    const std::vector<ListedObject>& Rows() const { return m_rows; }

    //! A cell's text, as shown and as the saved list and the printed sheet write it.
    QString Text(int row, int column) const;
    //! The order of two rows' list texts, numbers in them read as numbers ("M2" before "M10").
    int CompareObjects(int a, int b) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<ListedObject> m_rows;
    std::vector<QString> m_objectTexts; //!< each row's list text
    std::vector<QCollatorSortKey> m_objectKeys; //!< and its key in natural order ("M2" before "M10")
    std::function<QString(double)> m_clock;
};

//! The list as shown: the filters applied, sorted by any column. Ties of any column go in the
//! list's first order (RankedBefore), so that equal durations stay ranked by brightness.
class TargetTableProxy : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    //! Takes the filters and the flags of the objects the name box finds (empty: every object).
    void SetFilters(const ListFilters& filters, std::vector<char> named);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    const TargetTableModel* Table() const { return static_cast<const TargetTableModel*>(sourceModel()); }

    ListFilters m_filters;
    std::vector<char> m_named;
};
