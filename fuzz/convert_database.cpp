// The conversion of older databases: the input is Accounts.dat, checked as at start-up. A file
// that is not converted stays as it was; a converted one keeps every account of the older
// layout, in order, and loads in full.
#include "ClsBD.h"
#include "ClsconvertirBaseVieja.h"
#include "FuzzSupport.h"
#include "RunError.h"
#include "TextReader.h"
#include "forms/Frm_Main.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Workspace& workspace = Workspace::instance();
    workspace.nextInput();
    const QByteArray original(reinterpret_cast<const char*>(data), qsizetype(size));
    workspace.write(QStringLiteral("Accounts.dat"), original);

    bool current = false;
    {
        FuzzApp app(workspace);
        try {
            current = app.sv.conversion.ConvDbOld(app.mv.RutaBD, false);
        } catch (const EndProgram&) {
            FUZZ_CHECK(workspace.read(QStringLiteral("Accounts.dat")) == original);
            return 0;
        }
        FUZZ_CHECK(current == (app.dialogs.reports().empty()));
    }
    const std::optional<QByteArray> old = workspace.read(QStringLiteral("Accounts.dat.old"));
    if (!current) {
        FUZZ_CHECK(workspace.read(QStringLiteral("Accounts.dat")) == original);
        return 0;
    }
    if (!old)
        return 0;  // already current, or empty and given the header
    FUZZ_CHECK(*old == original);

    // The older layout's lines, three per account.
    std::vector<QString> lines;
    TextReader reader(workspace.path(QStringLiteral("Accounts.dat.old")));
    while (!reader.atEnd())
        lines.push_back(reader.readLine());
    FUZZ_CHECK(lines.size() % 3 == 0);

    FuzzApp after(workspace);
    after.sv.bd.cargarbdallv();
    FUZZ_CHECK(after.dialogs.shown.empty());
    const std::vector<LoadedAccount> accounts = loadedAccounts(after);
    FUZZ_CHECK(accounts.size() * 3 == lines.size());
    // The list holds the records in reverse file order.
    for (std::size_t k = 0; k < accounts.size(); ++k) {
        const LoadedAccount& account = accounts[accounts.size() - 1 - k];
        FUZZ_CHECK(account.name == lines[3 * k] && account.code == lines[3 * k + 1] &&
                   account.signature == lines[3 * k + 2]);
    }
    return 0;
}
