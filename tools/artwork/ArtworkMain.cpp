// Draws every picture of the artwork catalogue into a folder, as PNG files.
//
//   corvane_artwork <output folder> <medium font> <bold font> <light font> <condensed font>
//
// Every file is rewritten on each run, so the build's time stamps stay in order.

#include <cstdio>

#include "ArtKit.h"
#include "Painters.h"
#include "resources/ArtworkCatalogue.h"

namespace
{
    juce::Typeface::Ptr loadFace (const juce::File& file)
    {
        juce::MemoryBlock data;
        if (! file.loadFileAsData (data) || data.getSize() == 0)
            return {};
        return juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
    }
}

static int drawAll (int argc, char** argv);

int main (int argc, char** argv)
{
    const int result = drawAll (argc, argv);
    // release the faces and JUCE's glyph caches before the leak checks run at exit
    corvane::art::setFaces ({});
    juce::DeletedAtShutdown::deleteAll();
    return result;
}

static int drawAll (int argc, char** argv)
{
    if (argc < 6)
    {
        std::fprintf (stderr, "usage: corvane_artwork <output folder> <medium> <bold> <light> <condensed>\n");
        return 2;
    }

    const juce::File outputFolder (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));
    if (! outputFolder.createDirectory())
    {
        std::fprintf (stderr, "corvane_artwork: cannot create %s\n", argv[1]);
        return 1;
    }

    corvane::art::Faces faces;
    faces.medium = loadFace (juce::File (argv[2]));
    faces.bold = loadFace (juce::File (argv[3]));
    faces.light = loadFace (juce::File (argv[4]));
    faces.condensed = loadFace (juce::File (argv[5]));
    if (faces.medium == nullptr || faces.bold == nullptr || faces.light == nullptr || faces.condensed == nullptr)
    {
        std::fprintf (stderr, "corvane_artwork: a font could not be loaded\n");
        return 1;
    }
    corvane::art::setFaces (faces);

    std::map<std::string, corvane::art::Painter> painters;
    corvane::art::addPanelPainters (painters);
    corvane::art::addControlPainters (painters);
    corvane::art::addPresetPainters (painters);

    int failures = 0;
    for (const auto& entry : corvane::artworkCatalogue)
    {
        const auto found = painters.find (entry.fileStem);
        if (found == painters.end())
        {
            std::fprintf (stderr, "corvane_artwork: nothing draws %s\n", entry.fileStem);
            ++failures;
            continue;
        }

        const auto image = found->second (entry.width, entry.height);
        if (image.getWidth() != entry.width || image.getHeight() != entry.height)
        {
            std::fprintf (stderr, "corvane_artwork: %s came out %d x %d\n", entry.fileStem, image.getWidth(), image.getHeight());
            ++failures;
            continue;
        }

        juce::MemoryOutputStream encoded;
        juce::PNGImageFormat png;
        if (! png.writeImageToStream (image, encoded))
        {
            ++failures;
            continue;
        }

        const auto file = outputFolder.getChildFile (juce::String (entry.fileStem) + ".png");
        if (! file.replaceWithData (encoded.getData(), encoded.getDataSize()))
        {
            std::fprintf (stderr, "corvane_artwork: cannot write %s\n", file.getFullPathName().toRawUTF8());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
