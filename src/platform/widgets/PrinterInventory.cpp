#include "platform/widgets/PrinterInventory.h"

#include <QCoreApplication>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// One read of the list, shared by its thread and the inventory. The thread touches only the
// answer and the flags, under the mutex; Owner is used on the inventory's thread alone.
struct PrinterInventory::Read
{
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool abandoned = false;
    PrinterList answer;
    QPointer<PrinterInventory> owner;
};

PrinterInventory::PrinterInventory() = default;

PrinterInventory::~PrinterInventory()
{
    // A read still blocked in the print system finishes on its own and tells nobody.
    if (m_read) {
        const std::lock_guard lock(m_read->mutex);
        m_read->abandoned = true;
    }
}

bool PrinterInventory::reading() const
{
    return m_read != nullptr;
}

QString PrinterInventory::defaultPrinterName() const
{
    if (!m_last.defaultName.isEmpty())
        return m_last.defaultName;
    return m_last.names.isEmpty() ? QString() : m_last.names.first();
}

void PrinterInventory::take(const PrinterList &answer)
{
    m_last = answer;
    m_count = int(answer.names.size());
}

bool PrinterInventory::HasPrinters(bool refresh)
{
    if (!refresh || m_read)
        return m_count >= 1;

    auto read = std::make_shared<Read>();
    read->owner = this;
    m_read = read;
    std::thread([read, readList = reader()] {
        PrinterList answer = readList();
        const std::lock_guard lock(read->mutex);
        read->answer = std::move(answer);
        read->finished = true;
        read->done.notify_all();
        QCoreApplication *app = QCoreApplication::instance();
        if (read->abandoned || !app)
            return;
        // A late answer: the inventory takes it on its own thread, unless the refresh that
        // started the read took it meanwhile.
        QMetaObject::invokeMethod(app, [read] {
            PrinterInventory *owner = read->owner;
            if (!owner || owner->m_read != read)
                return;
            owner->m_read.reset();
            owner->take(read->answer);
            Q_EMIT owner->printersRead();
        }, Qt::QueuedConnection);
    }).detach();

    std::unique_lock lock(read->mutex);
    if (read->done.wait_for(lock, std::chrono::milliseconds(AnswerWaitMs), [&read] { return read->finished; })) {
        const PrinterList answer = read->answer;
        lock.unlock();
        m_read.reset();
        take(answer);
    }
    return m_count >= 1;
}

PrinterInventory::Reader SystemPrinterInventory::reader() const
{
    // The names alone: the full descriptions would ask every printer for its options.
    return [] { return PrinterList{QPrinterInfo::availablePrinterNames(), QPrinterInfo::defaultPrinterName()}; };
}

bool SystemPrinterInventory::IsColorPrinter(const QPrinter &printer) const
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return printer.colorMode() == QPrinter::Color;
    return QPrinterInfo::printerInfo(printer.printerName()).defaultColorMode() == QPrinter::Color;
}

QString SystemPrinterInventory::PrinterName(const QPrinter &printer) const
{
    return printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString();
}
