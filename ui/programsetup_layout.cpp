// frmProgramSetup's controls, their layout and their connections.
#include "programsetup.h"

#include "captionsource.h"
#include "messages.h"
#include "updown.h"
#include "widgets.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include <initializer_list>

namespace gw {

namespace {

constexpr std::array<const char*, 2> kJurisdiction{"Fed", "Prov"};

QString frameName(const char* before, int j, const char* after)
{
    return QString::fromLatin1(before) + QString::fromLatin1(kJurisdiction[std::size_t(j)]) + QString::fromLatin1(after);
}

// A field with its spinner (and whatever follows) as one cell.
QHBoxLayout* fieldCell(std::initializer_list<QWidget*> widgets)
{
    auto* cell = new QHBoxLayout;
    cell->setContentsMargins(0, 0, 0, 0);
    cell->setSpacing(2);
    for (QWidget* widget : widgets)
        cell->addWidget(widget);
    cell->addStretch(1);
    return cell;
}

} // namespace

ProgramSetup::ProgramSetup(Services services, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      captions_(*services_.captions),
      messages_(*services_.messages),
      checks_(captions_, messages_)
{
    setObjectName(QStringLiteral("frmProgramSetup"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    tabSetup = new QTabWidget(this);
    tabSetup->setObjectName(QStringLiteral("tabSetup"));
    tabSetup->setUsesScrollButtons(false);
    tabSetup->addTab(buildTaxesTab(), QString());
    tabSetup->addTab(buildExpensesTab(), QString());
    tabSetup->addTab(buildLanguageTab(), QString());

    cmdOk = new QPushButton(this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    // A click on Cancel must not first check the field being left: Cancel
    // puts the old text back anyway.
    cmdCancel->setFocusPolicy(Qt::TabFocus);
    cmdHelp = new QPushButton(this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdHelp->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);

    auto* column = new QVBoxLayout(this);
    column->addWidget(tabSetup);
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetMinimumSize);

    connectFields();
    arrangeTabOrder();
    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(helpKey, &QShortcut::activated, this, &ProgramSetup::showHelp);

    formatCaptions();
    for (int j = 0; j < 2; ++j)
        applyVisibility(j);
}

ProgramSetup::~ProgramSetup() = default;

QWidget* ProgramSetup::buildTaxesTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabSetupTaxes"));
    auto* column = new QVBoxLayout(page);

    lblTaxTableHeading = MakeHeading(QStringLiteral("lblTaxTableHeading"), page);
    column->addWidget(lblTaxTableHeading);
    column->addWidget(MakeBar(QStringLiteral("linTaxTableHeading"), page));

    auto* table = new QGridLayout;
    table->setHorizontalSpacing(12);
    lblTableColOne = MakeLabel(QStringLiteral("lblTableColOne"), page);
    lblTableColTwo = MakeLabel(QStringLiteral("lblTableColTwo"), page);
    lblTableColThree = MakeLabel(QStringLiteral("lblTableColThree"), page);
    table->addWidget(lblTableColOne, 0, 1, Qt::AlignRight | Qt::AlignBottom);
    table->addWidget(lblTableColTwo, 0, 2, Qt::AlignRight | Qt::AlignBottom);
    table->addWidget(lblTableColThree, 0, 3, Qt::AlignRight | Qt::AlignBottom);
    for (int row = 0; row < 4; ++row) {
        lblTaxBracket[row] = MakeLabel(arrayName("lblTaxBracket", row + 1), page);
        txtStartOfTaxBracket[row] = MakeNumberField(arrayName("txtStartOfTaxBracket", row), page, 70, 120);
        txtTaxOnInterest[row] = MakeNumberField(arrayName("txtTaxOnInterest", row), page, 70, 120);
        txtTaxOnDividends[row] = MakeNumberField(arrayName("txtTaxOnDividends", row), page, 70, 120);
        table->addWidget(lblTaxBracket[row], row + 1, 0);
        table->addWidget(txtStartOfTaxBracket[row], row + 1, 1, Qt::AlignRight);
        table->addWidget(txtTaxOnInterest[row], row + 1, 2, Qt::AlignRight);
        table->addWidget(txtTaxOnDividends[row], row + 1, 3, Qt::AlignRight);
    }
    table->setColumnStretch(4, 1);
    column->addLayout(table);
    column->addSpacing(10);

    lblMiscParametersHeader = MakeHeading(QStringLiteral("lblMiscParametersHeader"), page);
    column->addWidget(lblMiscParametersHeader);
    column->addWidget(MakeBar(QStringLiteral("linMiscParametersHeader"), page));

    auto* misc = new QGridLayout;
    lblCapitalGainsInclusionRate = MakeLabel(QStringLiteral("lblCapitalGainsInclusionRate"), page);
    txtCapGainsInclusionRate = MakeNumberField(QStringLiteral("txtCapGainsInclusionRate"), page, 70, 120);
    updCapGainsInclusionRate = MakeSpinner(QStringLiteral("updCapGainsInclusionRate"), txtCapGainsInclusionRate,
                                           kInclusionMin, kInclusionMax, page);
    cmdWTCapitalGainsInclusionRate = MakeExplainButton(QStringLiteral("cmdWTCapitalGainsInclusionRate"), page);
    misc->addWidget(lblCapitalGainsInclusionRate, 0, 0);
    misc->addLayout(fieldCell({txtCapGainsInclusionRate, updCapGainsInclusionRate, cmdWTCapitalGainsInclusionRate}),
                    0, 1);

    lblFederalToMTRRatio = MakeLabel(QStringLiteral("lblFederalToMTRRatio"), page);
    txtFederalToMTRRatio = MakeNumberField(QStringLiteral("txtFederalToMTRRatio"), page, 70, 120);
    updFederalToMTRRatio =
        MakeSpinner(QStringLiteral("updFederalToMTRRatio"), txtFederalToMTRRatio, kRatioMin, kRatioMax, page);
    cmdWTFederalToMTRRatio = MakeExplainButton(QStringLiteral("cmdWTFederalToMTRRatio"), page);
    misc->addWidget(lblFederalToMTRRatio, 1, 0);
    misc->addLayout(fieldCell({txtFederalToMTRRatio, updFederalToMTRRatio, cmdWTFederalToMTRRatio}), 1, 1);
    misc->setColumnStretch(1, 1);
    column->addLayout(misc);
    column->addStretch(1);
    return page;
}

QWidget* ProgramSetup::buildExpensesTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabSetupExpenses"));
    auto* column = new QVBoxLayout(page);
    for (int j = 0; j < 2; ++j) {
        buildDeductionFrame(j, page);
        column->addWidget(deduction[j].frame);
    }
    column->addStretch(1);
    return page;
}

void ProgramSetup::buildDeductionFrame(int j, QWidget* parent)
{
    DeductionFrame& f = deduction[std::size_t(j)];
    f.frame = new QGroupBox(parent);
    f.frame->setObjectName(frameName("fra", j, "TaxInterestDeductibility"));
    QWidget* box = f.frame;

    f.lblAnnualDeductibility = MakeLabel(frameName("lbl", j, "AnnualDeductibility"), box);
    f.optPercentDeduct = new QRadioButton(box);
    f.optPercentDeduct->setObjectName(frameName("opt", j, "PercentDeduct"));
    f.txtInterestDeductibility = MakeNumberField(frameName("txt", j, "InterestDeductibility"), box, 70, 120);
    f.updInterestDeductibility = MakeSpinner(frameName("upd", j, "InterestDeductibility"), f.txtInterestDeductibility,
                                             kDeductibleMin, kDeductibleMax, box);
    f.optLimitedDeduct = new QRadioButton(box);
    f.optLimitedDeduct->setObjectName(frameName("opt", j, "LimitedDeduct"));
    auto* options = new QButtonGroup(box);
    options->addButton(f.optPercentDeduct);
    options->addButton(f.optLimitedDeduct);

    f.lblIncludeCapitalGains = MakeLabel(frameName("lbl", j, "IncludeCapitalGains"), box);
    f.cmbIncludeCapGains = new QComboBox(box);
    f.cmbIncludeCapGains->setObjectName(frameName("cmb", j, "IncludeCapGains"));
    f.lblDefer = MakeLabel(frameName("lbl", j, "Defer"), box);
    f.cmbDefer = new QComboBox(box);
    f.cmbDefer->setObjectName(frameName("cmb", j, "Defer"));
    for (QComboBox* list : {f.cmbIncludeCapGains, f.cmbDefer}) {
        list->addItem(QString());
        list->addItem(QString());
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    }

    f.lblInvestExpenseExplanation = MakeLabel(frameName("lbl", j, "InvestExpenseExplanation"), box);
    f.txtInvestmentExpenses = MakeNumberField(frameName("txt", j, "InvestmentExpenses"), box, 70, 120);
    f.updInvestExpense =
        MakeSpinner(frameName("upd", j, "InvestExpense"), f.txtInvestmentExpenses, kExpenseMin, kExpenseMax, box);
    f.lblPercentSign = MakeLabel(frameName("lbl", j, "PercentSign"), box);
    f.lblPercentSign->setText(QStringLiteral("%"));
    f.cmdWTInvestFeeExplanantion = MakeExplainButton(frameName("cmdWT", j, "InvestFeeExplanantion"), box);

    auto* grid = new QGridLayout(box);
    grid->addWidget(f.lblAnnualDeductibility, 0, 0, 1, 3);
    grid->addWidget(f.optPercentDeduct, 1, 0);
    grid->addLayout(fieldCell({f.txtInterestDeductibility, f.updInterestDeductibility}), 1, 1);
    grid->addWidget(f.optLimitedDeduct, 2, 0, 1, 3);
    // The questions belong to the limited option: indent them under it, on
    // rows of their own so that their length does not move the fields.
    const auto questionRow = [grid](int row, QLabel* label, QComboBox* list) {
        auto* line = new QHBoxLayout;
        line->addSpacing(24);
        line->addWidget(label);
        line->addWidget(list);
        line->addStretch(1);
        grid->addLayout(line, row, 0, 1, 3);
    };
    questionRow(3, f.lblIncludeCapitalGains, f.cmbIncludeCapGains);
    questionRow(4, f.lblDefer, f.cmbDefer);
    grid->addWidget(f.lblInvestExpenseExplanation, 5, 0);
    grid->addLayout(fieldCell({f.txtInvestmentExpenses, f.updInvestExpense, f.lblPercentSign,
                               f.cmdWTInvestFeeExplanantion}),
                    5, 1);
    grid->setColumnStretch(2, 1);
}

QWidget* ProgramSetup::buildLanguageTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabSetupLanguage"));
    auto* column = new QVBoxLayout(page);
    lblLanguageHeader = MakeHeading(QStringLiteral("lblLanguageHeader"), page);
    column->addWidget(lblLanguageHeader);
    column->addWidget(MakeBar(QStringLiteral("linLanguageHeader"), page));
    lblCurrentLanguage = MakeLabel(QStringLiteral("lblCurrentLanguage"), page);
    cboLanguages = new QComboBox(page);
    cboLanguages->setObjectName(QStringLiteral("cboLanguages"));
    cboLanguages->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* row = new QHBoxLayout;
    row->addWidget(lblCurrentLanguage);
    row->addWidget(cboLanguages);
    row->addStretch(1);
    column->addLayout(row);
    column->addStretch(1);
    return page;
}

void ProgramSetup::connectFields()
{
    for (int row = 0; row < 4; ++row) {
        watch(txtStartOfTaxBracket[row], [this, row] { return leaveStartOfTaxBracket(row); }, false);
        watch(txtTaxOnInterest[row], [this, row] { return leaveTaxOnInterest(row); }, false);
        watch(txtTaxOnDividends[row], [this, row] { return leaveTaxOnDividends(row); }, false);
    }
    watch(txtCapGainsInclusionRate, [this] { return leaveCapGainsInclusionRate(); }, true);
    watch(txtFederalToMTRRatio, [this] { return leaveFederalToMTRRatio(); }, false);
    connect(updCapGainsInclusionRate, &UpDown::clicked, this,
            [this] { runCheck([this] { return leaveCapGainsInclusionRate(); }); });
    connect(updFederalToMTRRatio, &UpDown::clicked, this, [this] { runCheck([this] { return leaveFederalToMTRRatio(); }); });

    for (int j = 0; j < 2; ++j) {
        DeductionFrame& f = deduction[std::size_t(j)];
        watch(f.txtInterestDeductibility, [this, j] { return leaveInterestDeductibility(j); }, true);
        watch(f.txtInvestmentExpenses, [this, j] { return leaveInvestmentExpenses(j); }, true);
        connect(f.updInterestDeductibility, &UpDown::clicked, this,
                [this, j] { runCheck([this, j] { return leaveInterestDeductibility(j); }); });
        connect(f.updInvestExpense, &UpDown::clicked, this,
                [this, j] { runCheck([this, j] { return leaveInvestmentExpenses(j); }); });
        connect(f.optLimitedDeduct, &QRadioButton::toggled, this, [this, j] { applyVisibility(j); });
        connect(f.cmdWTInvestFeeExplanantion, &QPushButton::clicked, this,
                [this] { messages_.information(caption("SoftwareName"), caption("WTInvestFeeExplanantion")); });
    }

    connect(cmdWTCapitalGainsInclusionRate, &QPushButton::clicked, this,
            [this] { messages_.information(caption("SoftwareName"), caption("WTCapitalGainsInclusionRate")); });
    connect(cmdWTFederalToMTRRatio, &QPushButton::clicked, this,
            [this] { messages_.information(caption("SoftwareName"), caption("WTFederalToMTRRatio")); });
    connect(cmdOk, &QPushButton::clicked, this, &ProgramSetup::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &ProgramSetup::reject);
    connect(cmdHelp, &QPushButton::clicked, this, &ProgramSetup::showHelp);
}

void ProgramSetup::arrangeTabOrder()
{
    std::vector<QWidget*> order;
    for (int row = 0; row < 4; ++row)
        order.insert(order.end(), {txtStartOfTaxBracket[row], txtTaxOnInterest[row], txtTaxOnDividends[row]});
    order.insert(order.end(), {txtCapGainsInclusionRate, cmdWTCapitalGainsInclusionRate, txtFederalToMTRRatio,
                               cmdWTFederalToMTRRatio});
    for (const DeductionFrame& f : deduction)
        order.insert(order.end(), {f.optPercentDeduct, f.txtInterestDeductibility, f.optLimitedDeduct,
                                   f.cmbIncludeCapGains, f.cmbDefer, f.txtInvestmentExpenses,
                                   f.cmdWTInvestFeeExplanantion});
    order.insert(order.end(), {cboLanguages, cmdOk, cmdCancel, cmdHelp});
    for (std::size_t k = 1; k < order.size(); ++k)
        QWidget::setTabOrder(order[k - 1], order[k]);
}

} // namespace gw
