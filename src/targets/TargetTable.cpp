#include "targets/TargetTable.h"

#include "numeric/NumberText.h"
#include "sky/TargetFinder.h"

#include <QCollator>

#include <cmath>

namespace {

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const SkyObject& ObjectOf(const ListedObject& row)
{
    return TheCatalogue().Objects()[row.Index];
}

//! What a column sorts by; none for a row that lacks the value.
std::optional<double> SortValue(const ListedObject& row, int column)
{
    switch (column) {
    case TargetTableModel::MagnitudeColumn:
        return row.Magnitude;
    case TargetTableModel::SizeColumn:
        return ObjectOf(row).MajorArcmin();
    case TargetTableModel::FrameColumn:
        if (!row.Fill)
            return std::nullopt;
        return row.Fill->Panels > 1 ? 100 + row.Fill->Panels : row.Fill->Percent;
    case TargetTableModel::DarkColumn:
        return row.Night.DarkAndUp;
    case TargetTableModel::MoonDownColumn:
        return row.Night.MoonDown;
    case TargetTableModel::BestColumn:
        return row.Night.Best;
    case TargetTableModel::MoonColumn:
        return row.Night.Best ? std::optional<double>(row.Night.MoonDistance) : std::nullopt;
    default:
        return 0.0;
    }
}

} // namespace

const std::array<const char*, TargetTableModel::ColumnCount> TargetTableModel::Headings{
    "Object", "Kind", "Const.", "Mag.", "Size (\u2032 \u00D7 \u2032)", "Frame", "Dark and up", "Moon down", "Best", "Moon"};

void TargetTableModel::SetRows(std::vector<ListedObject> rows, std::function<QString(double)> clock)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_clock = std::move(clock);
    if (m_objectTexts.size() != m_rows.size()) {
        // The list texts and their natural order are the same every night: made once.
        QCollator collator;
        collator.setNumericMode(true);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        m_objectTexts.clear();
        m_objectKeys.clear();
        for (const ListedObject& row : m_rows) {
            m_objectTexts.push_back(QString::fromStdString(ListText(ObjectOf(row))));
            m_objectKeys.push_back(collator.sortKey(m_objectTexts.back()));
        }
    }
    endResetModel();
}

QString TargetTableModel::Text(int row, int column) const
{
    const ListedObject& listed = m_rows[static_cast<std::size_t>(row)];
    const SkyObject& object = ObjectOf(listed);
    const ObjectNight& night = listed.Night;
    switch (column) {
    case ObjectColumn:
        return m_objectTexts[static_cast<std::size_t>(row)];
    case KindColumn:
        return FromUtf8(KindText(object.Type()));
    case ConstellationColumn:
        return FromUtf8(ConstellationText(object));
    case MagnitudeColumn:
        return listed.Magnitude ? QString::fromStdString(FormatFixed(0, 1, ShownMagnitude(*listed.Magnitude)))
                                : QStringLiteral("\u2014");
    case SizeColumn:
        return QString::fromStdString(SizeText(object));
    case FrameColumn:
        return QString::fromStdString(FrameText(listed.Fill));
    case DarkColumn:
        return QString::fromStdString(HoursMinutesText(night.DarkAndUp));
    case MoonDownColumn:
        return QString::fromStdString(HoursMinutesText(night.MoonDown));
    case BestColumn:
        return night.Best ? QStringLiteral("%1, %2\u00B0").arg(m_clock ? m_clock(*night.Best) : QString()).arg(std::lround(night.BestAltitude))
                          : QStringLiteral("\u2014");
    case MoonColumn:
        return night.Best ? QStringLiteral("%1\u00B0").arg(std::lround(night.MoonDistance)) : QStringLiteral("\u2014");
    default:
        return {};
    }
}

int TargetTableModel::CompareObjects(int a, int b) const
{
    return m_objectKeys[static_cast<std::size_t>(a)].compare(m_objectKeys[static_cast<std::size_t>(b)]);
}

int TargetTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TargetTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TargetTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return Text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && index.column() >= MagnitudeColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TargetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return QString::fromUtf8(Headings[static_cast<std::size_t>(section)]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void TargetTableProxy::SetFilters(const ListFilters& filters, std::vector<char> named)
{
    m_filters = filters;
    m_named = std::move(named);
    invalidateFilter();
}

bool TargetTableProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const auto row = static_cast<std::size_t>(sourceRow);
    if (!m_named.empty() && (row >= m_named.size() || !m_named[row]))
        return false;
    return Passes(Table()->Rows()[row], m_filters);
}

bool TargetTableProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const std::vector<ListedObject>& rows = Table()->Rows();
    const ListedObject& a = rows[static_cast<std::size_t>(left.row())];
    const ListedObject& b = rows[static_cast<std::size_t>(right.row())];
    const int column = left.column();
    int order = 0;
    if (column == TargetTableModel::ObjectColumn) {
        order = Table()->CompareObjects(left.row(), right.row());
    } else if (column == TargetTableModel::KindColumn || column == TargetTableModel::ConstellationColumn) {
        order = Table()->Text(left.row(), column).compare(Table()->Text(right.row(), column));
    } else {
        const std::optional<double> x = SortValue(a, column);
        const std::optional<double> y = SortValue(b, column);
        if (x.has_value() != y.has_value()) {
            // A row without the value goes last whichever way the column sorts (Qt sorts
            // descending by asking lessThan(right, left)).
            return sortOrder() == Qt::AscendingOrder ? x.has_value() : !x.has_value();
        }
        if (x)
            order = *x < *y ? -1 : *y < *x ? 1 : 0;
    }
    if (order != 0)
        return order < 0;
    // Ties in the list's first order, whichever way the column sorts.
    return sortOrder() == Qt::AscendingOrder ? RankedBefore(a, b) : RankedBefore(b, a);
}
