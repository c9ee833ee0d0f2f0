#pragma once

#include <juce_core/juce_core.h>

namespace corvane
{

/** The two application-data folders under which the preset folders are formed:
    the per-user one and the all-users one. The plug-in uses the system's; tests
    and tools pass folders of their own so that they never touch the machine's. */
struct PresetFolderRoots
{
    juce::File userData;
    juce::File commonData;

    /** The system's folders: the user's and the system's Library folders plus
        "Application Support" on macOS; the plain application-data locations
        elsewhere (~/.config or $XDG_CONFIG_HOME, and /opt on Linux). */
    static PresetFolderRoots system();

    /** Roots below one folder: base/"user" and base/"common". */
    static PresetFolderRoots under (const juce::File& base);

    /** The roots of a processor built without roots of its own: the system's,
        unless a test or tool program has replaced them for the whole process with
        replaceForProcess (before it builds any processor). The plug-in never does. */
    static PresetFolderRoots forProcessor();
    static void replaceForProcess (const PresetFolderRoots& roots);
    static void restoreSystemForProcess();
};

/** Where the plug-in's files live. Built once: the user folder
    (userData/"Ostrevall"/name) is created step by step if missing; the common
    folder is never created, and stops at commonData/"Ostrevall" when that
    folder does not exist. */
class PresetFolders
{
public:
    explicit PresetFolders (const juce::String& pluginName,
                            const PresetFolderRoots& roots = PresetFolderRoots::system());

    juce::String name;
    juce::File userFolder;
    juce::File commonFolder;

    static constexpr const char* companyFolderName = "Ostrevall";
};

} // namespace corvane
