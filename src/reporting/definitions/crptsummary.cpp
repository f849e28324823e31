// The department summary of one order and plant: the order with its labour
// settings, then the glue and spray lines with the hours and labour cost of
// the order's pieces on each station, and the pieces the bullet noser, fiber
// table, CNC and band saw stations cut.
#include "reporting/definitions/floorsheet.h"
#include "reporting/report.h"

namespace reporting::definitions {

namespace {

QString s(const char *t)
{
    return QString::fromLatin1(t);
}

// Hours a line station needs for the order: its non-arm pieces at its rate.
QVariant lineHours(const RowView &r)
{
    const double rate = r.number(s("Rate"));
    if (r.isNull(s("NonArms")) || rate <= 0)
        return QVariant();
    return r.number(s("NonArms")) / rate;
}

QVariant labourCost(const RowView &r)
{
    const QVariant hours = lineHours(r);
    return hours.isNull() ? QVariant() : QVariant(hours.toDouble() * r.mainValue(s("LaborCostPerHour")).toDouble());
}

// The labour cost as a percentage of the order's total.
QVariant labourShare(const RowView &r)
{
    const double total = r.mainValue(s("Total")).toDouble();
    const QVariant cost = labourCost(r);
    return cost.isNull() || total == 0 ? QVariant() : QVariant(cost.toDouble() / total * 100);
}

DefinitionPtr subreport(const QString &name, std::vector<FieldSpec> fields, const std::vector<Column> &columns,
                        const std::vector<TotalSpec> &totals)
{
    auto d = std::make_shared<ReportDefinition>();
    d->name = name;
    d->caption = name;
    d->fields = std::move(fields);
    d->bands.push_back(columnHeadingBand(columns, 0, BandKind::PageHeader));
    d->bands.push_back(detailBand(columns));
    if (!totals.empty())
        d->bands.push_back(totalsFooter(
            BandKind::ReportFooter, -1, [](const RowView &) { return QVariant(s("Total")); }, columns, totals));
    return d;
}

DefinitionPtr lineSubreport(const QString &name)
{
    const std::vector<Column> columns = {
        Column(s("Station"), s("Station"), 120),
        Column(s("Rate/Hour"), s("Rate"), 60, Format::Number, Qt::AlignRight),
        Column(s("Pieces"), s("TotalArms"), 60, Format::Number, Qt::AlignRight),
        Column(s("Non-Arm Pcs"), s("NonArms"), 70, Format::Number, Qt::AlignRight),
        Column(s("Hours"), {}, 60, Format::Number, Qt::AlignRight, lineHours),
        Column(s("Labor Cost"), {}, 80, Format::Money, Qt::AlignRight, labourCost),
        Column(s("% of Order"), {}, 70, Format::Number, Qt::AlignRight, labourShare),
    };
    return subreport(name,
                     {fieldOf("Station"), fieldOf("Rate", FieldType::Number), fieldOf("TotalArms", FieldType::Number),
                      fieldOf("NonArms", FieldType::Number)},
                     columns,
                     {{s("Pieces"), s("TotalArms"), {}, Format::Number},
                      {s("Non-Arm Pcs"), s("NonArms"), {}, Format::Number},
                      {s("Hours"), {}, lineHours, Format::Number},
                      {s("Labor Cost"), {}, labourCost, Format::Money},
                      {s("% of Order"), {}, labourShare, Format::Number}});
}

Band blockTitle(const QString &title, const QString &subreportName)
{
    Band b;
    b.kind = BandKind::ReportFooter;
    b.height = 24;
    b.subreport = subreportName;
    b.elements.push_back(label(title, 0, 8, 400, 14, {10.5, true}));
    return b;
}

} // namespace

DefinitionPtr crptSummary()
{
    using F = FieldType;
    std::vector<FieldSpec> fields = {fieldOf("Orders.ID", F::Integer), fieldOf("OrderNumber"), fieldOf("Customer"),
                                     fieldOf("OrderDate", F::Date), fieldOf("DueDate", F::Date)};
    for (const FieldSpec &f : shipToFields())
        fields.push_back(f);
    fields.push_back(fieldOf("Total", F::Number));
    fields.push_back(fieldOf("LaborCostPerHour", F::Number));
    fields.push_back(fieldOf("LaborPercent", F::Number));
    FloorHeader header;
    header.idField = s("Orders.ID");
    header.department = true;
    DefinitionPtr d =
        floorDefinition(s("crptSummary"), s("Summary"), Orientation::Portrait, std::move(fields), header, {});
    d->titleNamesDepartment = true; // a plant prints one per department

    // The order's money and labour settings, once.
    Band settings;
    settings.kind = BandKind::ReportHeader;
    settings.height = 40;
    const auto pair = [&settings](const QString &caption, Element value, qreal x) {
        settings.elements.push_back(label(caption, x, 4, 120, 10, {7, false, true}));
        value.x = x;
        value.y = 15;
        value.width = 120;
        value.height = 16;
        value.font = {11, true};
        settings.elements.push_back(value);
    };
    pair(s("Order total"), field(s("Total"), 0, 0, 0, Format::Money), 0);
    pair(s("Labor cost per hour"), field(s("LaborCostPerHour"), 0, 0, 0, Format::Money), 135);
    pair(s("Labor target"),
         formula(
             s("LaborTarget"),
             [](const RowView &r) {
                 return r.isNull(s("LaborPercent"))
                     ? QVariant()
                     : QVariant(formatValue(r.number(s("LaborPercent")), Format::Number) + s("%"));
             },
             0, 0, 0),
         270);
    pair(s("Ship to"),
         formula(
             s("ShipToCity"),
             [](const RowView &r) {
                 return QVariant(cityStateZip(r, s("ShipToCity"), s("ShipToState"), s("ShipToZip")));
             },
             0, 0, 0),
         405);
    settings.elements.back().font = {9};
    d->bands.push_back(settings);

    d->subreports.push_back(lineSubreport(s("Subreport1")));
    d->subreports.push_back(lineSubreport(s("Subreport2")));
    d->subreports.push_back(subreport(
        s("Subreport3"), {fieldOf("ID"), fieldOf("Pcs", F::Number)},
        {Column(s("Station"), s("ID"), 180), Column(s("Pieces"), s("Pcs"), 80, Format::Number, Qt::AlignRight)},
        {{s("Pieces"), s("Pcs"), {}, Format::Number}}));
    d->subreports.push_back(subreport(
        s("Subreport4"),
        {fieldOf("OperationID"), fieldOf("CompQty", F::Number), fieldOf("Component.Width", F::Number),
         fieldOf("StyleOperation.Width", F::Number), fieldOf("Length", F::Number), fieldOf("PiecesPerRail", F::Number)},
        {Column(s("Station"), s("OperationID"), 120),
         Column(s("Pieces"), s("CompQty"), 70, Format::Number, Qt::AlignRight),
         Column(s("Piece Width"), s("Component.Width"), 70, Format::Dimension, Qt::AlignRight),
         Column(s("Cut Width"), s("StyleOperation.Width"), 70, Format::Dimension, Qt::AlignRight),
         Column(s("Roll Length"), s("Length"), 70, Format::Dimension, Qt::AlignRight),
         Column(s("Pcs/Roll"), s("PiecesPerRail"), 60, Format::Number, Qt::AlignRight),
         Column(s("Rolls"), {}, 60, Format::Number, Qt::AlignRight,
                [](const RowView &r) { return rolls(r, s("CompQty")); })},
        {{s("Pieces"), s("CompQty"), {}, Format::Number},
         {s("Rolls"), {}, [](const RowView &r) { return rolls(r, s("CompQty")); }, Format::Number}}));
    d->subreports.push_back(subreport(
        s("Subreport5"), {fieldOf("OperationID"), fieldOf("CompQty", F::Number), fieldOf("PiecesPerRail", F::Number)},
        {Column(s("Station"), s("OperationID"), 180),
         Column(s("Pieces"), s("CompQty"), 80, Format::Number, Qt::AlignRight),
         Column(s("Pcs/Rail"), s("PiecesPerRail"), 70, Format::Number, Qt::AlignRight),
         Column(s("Rails"), {}, 70, Format::Number, Qt::AlignRight,
                [](const RowView &r) {
                    const double p = r.number(s("PiecesPerRail"));
                    return p > 0 ? QVariant(r.number(s("CompQty")) / p) : QVariant();
                })},
        {{s("Pieces"), s("CompQty"), {}, Format::Number}}));
    d->subreports.push_back(subreport(s("Subreport6"),
                                      {fieldOf("OperationID"), fieldOf("CompQty", F::Number),
                                       fieldOf("RailsPerBun", F::Number), fieldOf("PiecesPerRail", F::Number)},
                                      {Column(s("Station"), s("OperationID"), 180),
                                       Column(s("Pieces"), s("CompQty"), 80, Format::Number, Qt::AlignRight),
                                       Column(s("Pcs/Bun"), {}, 70, Format::Number, Qt::AlignRight,
                                              [](const RowView &r) { return QVariant(piecesPerBun(r)); }),
                                       Column(s("Buns"), {}, 70, Format::Number, Qt::AlignRight,
                                              [](const RowView &r) {
                                                  const double p = piecesPerBun(r);
                                                  return p > 0 ? QVariant(r.number(s("CompQty")) / p) : QVariant();
                                              })},
                                      {{s("Pieces"), s("CompQty"), {}, Format::Number},
                                       {s("Buns"),
                                        {},
                                        [](const RowView &r) {
                                            const double p = piecesPerBun(r);
                                            return p > 0 ? QVariant(r.number(s("CompQty")) / p) : QVariant();
                                        },
                                        Format::Number}}));

    d->bands.push_back(blockTitle(s("Glue Line"), s("Subreport1")));
    d->bands.push_back(blockTitle(s("Spray Line"), s("Subreport2")));
    d->bands.push_back(blockTitle(s("Bullet Noser"), s("Subreport3")));
    d->bands.push_back(blockTitle(s("Fiber Table"), s("Subreport4")));
    d->bands.push_back(blockTitle(s("CNC"), s("Subreport5")));
    d->bands.push_back(blockTitle(s("Band Saw"), s("Subreport6")));

    Band note;
    note.kind = BandKind::ReportFooter;
    note.height = 40;
    note.keepWithPrevious = true; // never a page of its own
    Element text =
        label(s("Hours = non-arm pieces / the line's non-arm rate per hour.  Labor cost = hours x labor cost "
                "per hour.  % of order = labor cost / order total x 100, to set against the labor target.  "
                "Rolls = pieces / pieces per roll; rails = pieces / pieces per rail; buns = pieces / "
                "(rails per bun x pieces per rail)."),
              0, 14, d->contentWidth(), 24, {7, false, true}, Qt::AlignLeft | Qt::AlignTop);
    text.canGrow = true;
    note.elements.push_back(line(0, 8, d->contentWidth(), 0.4));
    note.elements.push_back(text);
    d->bands.push_back(note);
    return d;
}

} // namespace reporting::definitions
