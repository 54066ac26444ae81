#include "ui/survey/leak_survey_model.h"

#include <QColor>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QString qs(const std::wstring& s) {
    return QString::fromStdWString(s);
}

// A value that is not finite sorts below every number: an overflowing
// estimate must not pass for the largest leak.
QVariant sort_number(double v) {
    return std::isfinite(v) ? v : -std::numeric_limits<double>::infinity();
}

bool numeric(int column) {
    return column != leak_survey_model::col_name && column != leak_survey_model::col_time;
}

} // namespace

leak_survey_model::leak_survey_model(const leak_survey* survey, QObject* parent)
    : QAbstractTableModel(parent), survey_(survey) {}

int leak_survey_model::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !survey_ ? 0 : int(survey_->leaks.size());
}

int leak_survey_model::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : column_count;
}

QString leak_survey_model::remarks(const survey_leak& l) {
    QStringList r;
    if (l.distance_substituted)
        r << tr("The distance is 0 m or less: the estimate takes 0.3 m.");
    if (!l.counted)
        r << tr("Some values are not finite numbers: this leak is left out of the totals.");
    if (!l.has_energy)
        r << tr("No power ratio: no energy or CO\u2082 figure.");
    return r.join(QLatin1Char('\n'));
}

QVariant leak_survey_model::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const survey_leak& l = survey_->leaks[size_t(index.row())];
    const data_info& d = l.item;
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
        switch (c) {
        case col_rank:
            return l.rank;
        case col_name: {
            // One line per row: a name with line breaks stays in its cell.
            QString name = qs(survey_item_name(d));
            name.replace(QLatin1Char('\r'), QLatin1Char(' '))
                .replace(QLatin1Char('\n'), QLatin1Char(' '));
            return name;
        }
        case col_time:
            return QString::fromStdString(d.time);
        case col_spl:
            return qs(survey_number(d.spl, 1));
        case col_distance:
            return qs(survey_number(d.distance, 1)) +
                   (l.distance_substituted ? QStringLiteral(" *") : QString());
        case col_level_1m:
            return qs(survey_number(l.level_1m, 1));
        case col_rate:
            return qs(survey_rate_text(l));
        case col_leak_level:
            return qs(survey_number(d.leak_level, 2));
        case col_cost:
            return qs(survey_cost_text(d.leak_cost, d.gasleak_currency));
        case col_energy:
            return l.has_energy ? qs(survey_number(l.energy_kwh, 0)) : QStringLiteral("\u2014");
        case col_co2:
            return l.has_energy ? qs(survey_number(l.co2_kg, 0)) : QStringLiteral("\u2014");
        default:
            return QVariant();
        }
    case sort_role:
        switch (c) {
        case col_rank:
            return l.rank;
        case col_name:
            return qs(survey_item_name(d));
        case col_time:
            return QString::fromStdString(d.time);
        case col_spl:
            return sort_number(d.spl);
        case col_distance:
            return sort_number(d.distance);
        case col_level_1m:
            return sort_number(l.level_1m);
        case col_rate:
            return sort_number(l.rate_lpm); // CFM converted: the rates compare
        case col_leak_level:
            return sort_number(d.leak_level);
        case col_cost:
            return sort_number(d.leak_cost);
        case col_energy:
            return l.has_energy ? sort_number(l.energy_kwh)
                                : QVariant(-std::numeric_limits<double>::infinity());
        case col_co2:
            return l.has_energy ? sort_number(l.co2_kg)
                                : QVariant(-std::numeric_limits<double>::infinity());
        default:
            return QVariant();
        }
    case Qt::TextAlignmentRole:
        return numeric(c) ? int(Qt::AlignRight | Qt::AlignVCenter)
                          : int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ToolTipRole: {
        const QString r = remarks(l);
        if (c == col_name)
            return r.isEmpty() ? qs(d.data_dir) : qs(d.data_dir) + QLatin1Char('\n') + r;
        return r.isEmpty() ? QVariant() : QVariant(r);
    }
    case Qt::ForegroundRole:
        return l.counted ? QVariant() : QVariant(QColor(0x99, 0x99, 0x99));
    default:
        return QVariant();
    }
}

QVariant leak_survey_model::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    // The unit goes on a second line: narrow columns of numbers keep their
    // headings readable.
    QString text = heading(section);
    text.replace(QStringLiteral(" ("), QStringLiteral("\n("));
    return text;
}

QString leak_survey_model::heading(int section) {
    switch (section) {
    case col_rank:
        return tr("Rank");
    case col_name:
        return tr("Name");
    case col_time:
        return tr("Time");
    case col_spl:
        return tr("SPL (dB)");
    case col_distance:
        return tr("Distance (m)");
    case col_level_1m:
        return tr("Level at 1 m (dB)");
    case col_rate:
        return tr("Leak rate");
    case col_leak_level:
        return tr("Leak level");
    case col_cost:
        return tr("Yearly cost");
    case col_energy:
        return tr("Energy (kWh/yr)");
    case col_co2:
        return tr("CO\u2082 (kg/yr)");
    default:
        return QString();
    }
}

void leak_survey_model::survey_changed() {
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, column_count - 1));
}

// ---- totals ---------------------------------------------------------------------

leak_survey_totals_model::leak_survey_totals_model(const leak_survey* survey, QObject* parent)
    : QAbstractTableModel(parent), survey_(survey) {}

int leak_survey_totals_model::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !survey_ ? 0 : 1;
}

int leak_survey_totals_model::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : leak_survey_model::column_count;
}

QVariant leak_survey_totals_model::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !survey_)
        return QVariant();
    const survey_totals& t = survey_->totals;
    const int c = index.column();
    if (role == Qt::TextAlignmentRole)
        return c == leak_survey_model::col_name ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                                : int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();
    switch (c) {
    case leak_survey_model::col_rank:
        return tr("Total");
    case leak_survey_model::col_name:
        return tr("Leaks counted: %1").arg(t.counted);
    case leak_survey_model::col_rate:
        return qs(survey_number(t.rate_lpm, 1)) + QStringLiteral(" L/min");
    case leak_survey_model::col_cost: {
        // Each currency on its own line: costs are never added across them.
        QStringList lines;
        for (const survey_cost_total& ct : t.costs)
            lines << qs(survey_cost_text(ct.cost, ct.currency));
        if (lines.isEmpty())
            lines << qs(survey_number(0, 1));
        return lines.join(QLatin1Char('\n'));
    }
    case leak_survey_model::col_energy:
        return qs(survey_number(t.energy_kwh, 0));
    case leak_survey_model::col_co2:
        return qs(survey_number(t.co2_kg, 0));
    default:
        return QVariant();
    }
}

void leak_survey_totals_model::survey_changed() {
    Q_EMIT dataChanged(index(0, 0), index(0, leak_survey_model::column_count - 1));
}

int leak_survey_totals_model::lines() const {
    return survey_ ? std::max<int>(1, int(survey_->totals.costs.size())) : 1;
}
