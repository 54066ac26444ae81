#pragma once
// The leaks of a survey as a table model: one row per leak (in the survey's
// own order), the values as the detail view shows them, a sort role with
// numbers for the numeric columns, remarks as tool tips and the rows left
// out of the totals in grey. The totals are a model of their own, one row
// with the same columns, shown under the table so sorting never moves it.
// Threading: UI thread only.

#include "analysis/survey/leak_survey.h"

#include <QAbstractTableModel>

class leak_survey_model : public QAbstractTableModel {
    Q_OBJECT
public:
    enum column {
        col_rank,
        col_name,
        col_time,
        col_spl,
        col_distance,
        col_level_1m,
        col_rate,
        col_leak_level,
        col_cost,
        col_energy,
        col_co2,
        column_count
    };
    // Numbers for numeric columns (values that are not finite sort lowest),
    // texts for the others.
    static constexpr int sort_role = Qt::UserRole + 1;

    explicit leak_survey_model(const leak_survey* survey, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The survey's figures changed in place (refresh, emission factor).
    void survey_changed();
    // A column's heading on one line.
    static QString heading(int section);
    // The remarks of a leak, as its tool tip shows them.
    static QString remarks(const survey_leak& l);

private:
    const leak_survey* survey_;
};

// The totals row under the table.
class leak_survey_totals_model : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit leak_survey_totals_model(const leak_survey* survey, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void survey_changed();
    // Lines the totals row needs (one per currency).
    int lines() const;

private:
    const leak_survey* survey_;
};
