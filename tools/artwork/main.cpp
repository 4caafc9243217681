// vilkora_artwork: paints the game's pictures from code.
//
//   vilkora_artwork <repo-root>                     paint everything
//   vilkora_artwork --preview <repo-root> <out.png> compose a check picture

#include "artwork.h"
#include "checks.h"
#include "imagefiles.h"
#include "layout.h"
#include "modes.h"
#include "paintkit.h"

#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <functional>

namespace {

struct Mode {
    const char* flag;  // nullptr for the default mode
    int argumentCount;
    const char* usage;
    std::function<int(const QStringList&)> run;
};

const Mode kModes[] = {
    {nullptr, 1, "<repo-root>", [](const QStringList& a) { return paintAllArtwork(QDir(a.at(0))); }},
    {"--preview", 2, "--preview <repo-root> <out.png>",
     [](const QStringList& a) { return composePreview(QDir(a.at(0)), a.at(1)); }},
};

bool reportProblems(const char* what, const QStringList& problems)
{
    for (const QString& problem : problems)
        std::fprintf(stderr, "%s: %s\n", what, qPrintable(problem));
    return problems.isEmpty();
}

int usage()
{
    for (const Mode& mode : kModes)
        std::fprintf(stderr, "usage: vilkora_artwork %s\n", mode.usage);
    return 2;
}

}  // namespace

int paintAllArtwork(const QDir& root)
{
    if (!root.exists()) {
        std::fprintf(stderr, "no such folder: %s\n", qPrintable(root.path()));
        return 1;
    }
    ArtworkWriter out(root);
    const QImage machine = paintMachine();
    bool ok = reportProblems("machine", machineLayoutProblems(machine));
    ok = out.bmp24(QStringLiteral("assets/machine.bmp"), machine, RowOrder::TopDown) && ok;

    const QImage star = paintStarPicture(layout::kStarSize);
    ok = out.bmp24(QStringLiteral("assets/star.bmp"), star) && ok;
    ok = out.indexedPng(QStringLiteral("assets/icon.png"), paintStarPicture(layout::kIconSize)) && ok;

    ok = out.bmp24(QStringLiteral("assets/arrow_right.bmp"), paintLitArrow(ArrowDirection::Right)) && ok;
    ok = out.bmp24(QStringLiteral("assets/arrow_left.bmp"), paintLitArrow(ArrowDirection::Left)) && ok;

    const QImage leverUp = paintLever(LeverPose::Up);
    const QImage leverPulled = paintLever(LeverPose::Pulled);
    ok = reportProblems("lever up", leverSeamProblems(machine, leverUp)) && ok;
    ok = reportProblems("lever pulled", leverSeamProblems(machine, leverPulled)) && ok;
    ok = out.bmp24(QStringLiteral("assets/lever_up.bmp"), leverUp) && ok;
    ok = out.bmp24(QStringLiteral("data/kahva1.bmp"), leverUp) && ok;
    ok = out.sameBytes(QStringLiteral("assets/lever_up.bmp"), QStringLiteral("data/kahva1.bmp")) && ok;
    ok = out.bmp24(QStringLiteral("data/kahva2.bmp"), leverPulled) && ok;

    for (int n = 1; n <= kSymbolCount; ++n) {
        const QImage sharp = paintSymbol(n);
        ok = out.bmp24(QStringLiteral("data/kuva%1.bmp").arg(n), sharp) && ok;
        ok = out.bmp24(QStringLiteral("data/kuva%1_blur.bmp").arg(n), verticalMotionBlur(sharp)) && ok;
    }
    return ok ? 0 : 1;
}

int main(int argc, char** argv)
{
    // Painting needs no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString error;
    if (!paintkit::loadFont(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    QStringList args = app.arguments().mid(1);
    for (const Mode& mode : kModes) {
        const bool selected = mode.flag ? !args.isEmpty() && args.first() == QLatin1String(mode.flag)
                                        : args.isEmpty() || !args.first().startsWith(QLatin1String("--"));
        if (!selected)
            continue;
        if (mode.flag)
            args.removeFirst();
        if (args.size() != mode.argumentCount)
            return usage();
        return mode.run(args);
    }
    return usage();
}
