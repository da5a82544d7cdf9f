#include "dialogs/widgets/TForm4.h"

#include "ui_TForm4.h"

#include "components/widgets/TJstLabel.h"

TForm4::TForm4(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TForm4>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowStaysOnTopHint);
    QFont paragraph(QStringLiteral("Tahoma"));
    paragraph.setPointSize(8);
    paragraph.setBold(true);
    for (TJstLabel *label : findChildren<TJstLabel *>())
        label->setFont(paragraph);
    connect(ui->Button1, &QPushButton::clicked, this, &QDialog::accept);
}

TForm4::~TForm4() = default;

QString TForm4::licenceTitle() const
{
    return ui->TitleLabel->text();
}
