#include "PresetFolders.h"

namespace corvane
{

PresetFolderRoots PresetFolderRoots::system()
{
    auto user = juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory);
    auto common = juce::File::getSpecialLocation (juce::File::commonApplicationDataDirectory);

   #if JUCE_MAC
    user = user.getChildFile ("Application Support");
    common = common.getChildFile ("Application Support");
   #endif

    return { user, common };
}

PresetFolderRoots PresetFolderRoots::under (const juce::File& base)
{
    return { base.getChildFile ("user"), base.getChildFile ("common") };
}

namespace
{
    // Set only by test and tool programs, on their main thread, before any
    // processor exists; read when a processor is built.
    struct ProcessRoots
    {
        bool replaced = false;
        PresetFolderRoots roots;
    };

    ProcessRoots& processRoots()
    {
        static ProcessRoots instance;
        return instance;
    }
}

PresetFolderRoots PresetFolderRoots::forProcessor()
{
    const auto& p = processRoots();
    return p.replaced ? p.roots : system();
}

void PresetFolderRoots::replaceForProcess (const PresetFolderRoots& roots)
{
    processRoots() = { true, roots };
}

void PresetFolderRoots::restoreSystemForProcess()
{
    processRoots() = {};
}

PresetFolders::PresetFolders (const juce::String& pluginName, const PresetFolderRoots& roots)
    : name (pluginName)
{
    // Creation failures are ignored: a missing user folder only means empty user banks.
    userFolder = roots.userData.getChildFile (companyFolderName);
    if (! userFolder.exists())
        (void) userFolder.createDirectory();

    userFolder = userFolder.getChildFile (name);
    if (! userFolder.exists())
        (void) userFolder.createDirectory();

    commonFolder = roots.commonData.getChildFile (companyFolderName);
    if (commonFolder.isDirectory())
        commonFolder = commonFolder.getChildFile (name);
}

} // namespace corvane
