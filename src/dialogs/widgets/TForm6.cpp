#include "dialogs/widgets/TForm6.h"

#include "ui_TForm6.h"

#include "components/widgets/TURLLabel.h"
#include "dialogs/AboutTexts.h"
#include "dialogs/widgets/TForm4.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyle>
#include <QUrl>

TForm6::TForm6(const QString &programBaseUrl, TForm4 &licence, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TForm6>()), m_licence(licence)
{
    ui->setupUi(this);
    // White through the palette: a style sheet on the form would reset the links' blue
    // palettes when the window first shows.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    FormCreate(programBaseUrl);
    connect(ui->Button1, &QPushButton::clicked, this, &QDialog::accept);
}

TForm6::~TForm6() = default;

void TForm6::FormCreate(const QString &programBaseUrl)
{
    const QIcon icon = QApplication::windowIcon().isNull()
                           ? style()->standardIcon(QStyle::SP_ComputerIcon)
                           : QApplication::windowIcon();
    ui->Image1->setPixmap(icon.pixmap(32, 32));
    ui->Label9->setText(QStringLiteral("Wexmora"));
    ui->Label30->setText(AboutVersionLine(QCoreApplication::applicationVersion()));
    ui->Label8->setText(AboutBuildLine());

    // The site is the server the program's page is on, its port included.
    const QString site =
        QUrl(programBaseUrl).adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment).toString()
        + QLatin1Char('/');
    ui->URLLabel1->setText(site);
    ui->URLLabel1->setURL(site);
    ui->URLLabel2->setText(programBaseUrl);
    ui->URLLabel2->setURL(programBaseUrl);
    ui->URLLabel3->setText(site + QLatin1String("forum/"));
    ui->URLLabel3->setURL(site + QLatin1String("forum/"));

    // Links are blue, and underlined only while the mouse is over them.
    for (TURLLabel *link : findChildren<TURLLabel *>()) {
        QFont normal = link->font();
        normal.setUnderline(false);
        link->setFont(normal);
        QPalette p = link->palette();
        p.setColor(QPalette::WindowText, Qt::blue);
        link->setPalette(p);
        QFont over = normal;
        over.setUnderline(true);
        link->setMouseOverFont({over, Qt::blue});
    }

    ui->Label10->setText(m_licence.licenceTitle());
    QPalette p = ui->Label10->palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    ui->Label10->setPalette(p);
    ui->Label10->setCursor(Qt::PointingHandCursor);
    ui->Label10->installEventFilter(this);
}

void TForm6::Label10Click()
{
    m_licence.exec();
}

bool TForm6::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->Label10) {
        const auto underline = [this](bool on) {
            QFont f = ui->Label10->font();
            f.setUnderline(on);
            ui->Label10->setFont(f);
        };
        switch (event->type()) {
        case QEvent::Enter:
            underline(true);
            break;
        case QEvent::Leave:
            underline(false);
            break;
        case QEvent::MouseButtonRelease: {
            // A click: released over the label.
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton
                && ui->Label10->rect().contains(mouse->position().toPoint())) {
                Label10Click();
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
