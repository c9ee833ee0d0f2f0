// corvane-render: plays MIDI through the Corvane processor offline, exactly as a
// host does (prepareToPlay, then processBlock block by block), and writes a WAV.

#include "engine/CorvaneAudioProcessor.h"

#include <juce_audio_formats/juce_audio_formats.h>
#include <juce_events/juce_events.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace
{

constexpr int exitUsage = 2;

struct Options
{
    juce::File midiFile;
    bool hasMidi = false;
    juce::File output = juce::File::getCurrentWorkingDirectory().getChildFile ("corvane-demo.wav");
    double sampleRate = 48000.0;
    int blockSize = 512;
    int channels = 2;
    double tailSeconds = 3.0;
    juce::File presetFile;
    bool hasPreset = false;
    bool listPresets = false;
    corvane::PresetFolderRoots presetRoots = corvane::PresetFolderRoots::system();
};

const char* const helpText =
    "Usage: corvane-render [options]\n"
    "Renders MIDI through the Corvane synthesiser into a WAV file.\n"
    "\n"
    "  --midi FILE       Standard MIDI File to play (all tracks merged, tempo map honoured);\n"
    "                    without it a built-in demo phrase of about ten seconds is played\n"
    "  --out FILE        output WAV path (default: corvane-demo.wav)\n"
    "  --rate HZ         sample rate, 22050 to 192000 (default: 48000)\n"
    "  --block N         block size in samples, 1 to 8192 (default: 512)\n"
    "  --mono            render one channel instead of two\n"
    "  --tail SECONDS    time rendered after the last note ends, 0 to 60 (default: 3)\n"
    "  --preset FILE     play this .corvanepreset file instead of the start-up sound\n"
    "  --list-presets    print the preset banks and presets found, with their folders, and exit\n"
    "  --user-data DIR   look for user presets under DIR/Ostrevall/Corvane instead of the\n"
    "                    user's application-data folder\n"
    "  --common-data DIR look for factory presets under DIR/Ostrevall/Corvane instead of the\n"
    "                    all-users application-data folder\n"
    "  --help            show this text\n";

struct Failure
{
    juce::String message;
};

/** Thrown once the help text has been printed: nothing else to do. */
struct HelpShown
{
};

/** Ends the run with one error line and exit status 2; unwinding removes any temporary file. */
[[noreturn]] void fail (const juce::String& message)
{
    throw Failure { message };
}

std::optional<double> parseNumber (const juce::String& text)
{
    const auto t = text.trim();
    if (t.isEmpty())
        return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod (t.toRawUTF8(), &end);
    if (end == nullptr || *end != '\0' || ! std::isfinite (v))
        return std::nullopt;
    return v;
}

Options parseArguments (const juce::StringArray& args)
{
    Options o;

    for (int i = 0; i < args.size(); ++i)
    {
        const auto& a = args[i];
        const auto value = [&]() -> juce::String
        {
            if (i + 1 >= args.size())
                fail ("option " + a + " needs a value");
            return args[++i];
        };

        if (a == "--help" || a == "-h")
        {
            std::fputs (helpText, stdout);
            throw HelpShown {};
        }
        else if (a == "--midi")
        {
            o.midiFile = juce::File::getCurrentWorkingDirectory().getChildFile (value());
            o.hasMidi = true;
        }
        else if (a == "--out")
        {
            const auto path = value();
            if (path.isEmpty())
                fail ("the output path is empty");
            o.output = juce::File::getCurrentWorkingDirectory().getChildFile (path);
        }
        else if (a == "--rate")
        {
            const auto text = value();
            const auto v = parseNumber (text);
            if (! v || *v < 22050.0 || *v > 192000.0)
                fail ("sample rate out of range (22050 to 192000 Hz): " + text);
            o.sampleRate = *v;
        }
        else if (a == "--block")
        {
            const auto text = value();
            const auto v = parseNumber (text);
            if (! v || *v < 1.0 || *v > 8192.0 || *v != std::floor (*v))
                fail ("block size out of range (1 to 8192 samples): " + text);
            o.blockSize = (int) *v;
        }
        else if (a == "--mono")
        {
            o.channels = 1;
        }
        else if (a == "--tail")
        {
            const auto text = value();
            const auto v = parseNumber (text);
            if (! v || *v < 0.0 || *v > 60.0)
                fail ("tail out of range (0 to 60 seconds): " + text);
            o.tailSeconds = *v;
        }
        else if (a == "--preset")
        {
            o.presetFile = juce::File::getCurrentWorkingDirectory().getChildFile (value());
            o.hasPreset = true;
        }
        else if (a == "--list-presets")
        {
            o.listPresets = true;
        }
        else if (a == "--user-data")
        {
            o.presetRoots.userData = juce::File::getCurrentWorkingDirectory().getChildFile (value());
        }
        else if (a == "--common-data")
        {
            o.presetRoots.commonData = juce::File::getCurrentWorkingDirectory().getChildFile (value());
        }
        else
        {
            fail ("unknown option " + a + " (see --help)");
        }
    }

    return o;
}

/** A note sequence with times in seconds. */
juce::MidiMessageSequence loadMidiFile (const juce::File& file)
{
    if (! file.existsAsFile())
        fail ("MIDI file not found: " + file.getFullPathName());

    juce::FileInputStream in (file);
    juce::MidiFile midi;
    if (! in.openedOk() || ! midi.readFrom (in) || midi.getTimeFormat() == 0 || midi.getNumTracks() == 0)
        fail ("not a readable Standard MIDI File: " + file.getFullPathName());

    // SMPTE time formats are negative; ticks per quarter note positive. Both convert.
    midi.convertTimestampTicksToSeconds();

    juce::MidiMessageSequence merged;
    for (int t = 0; t < midi.getNumTracks(); ++t)
        merged.addSequence (*midi.getTrack (t), 0.0);
    merged.updateMatchedPairs();
    return merged;
}

/** About ten seconds at 96 bpm: four bars of seventh chords with a melody above. */
juce::MidiMessageSequence demoPhrase()
{
    juce::MidiMessageSequence seq;
    const double beat = 60.0 / 96.0;

    const auto note = [&seq, beat] (int number, double startBeat, double lengthBeats, int velocity = 100)
    {
        seq.addEvent (juce::MidiMessage::noteOn (1, number, (juce::uint8) velocity), startBeat * beat);
        seq.addEvent (juce::MidiMessage::noteOff (1, number), (startBeat + lengthBeats) * beat - 0.01);
    };

    const int chords[4][4] = {
        { 48, 55, 59, 64 }, // Cmaj7
        { 45, 52, 55, 60 }, // Am7
        { 41, 48, 52, 57 }, // Fmaj7
        { 43, 50, 53, 59 }, // G7
    };
    for (int bar = 0; bar < 4; ++bar)
        for (int n : chords[bar])
            note (n, bar * 4.0, 4.0, 90);

    struct Step { int note; double start, length; };
    const Step melody[] = {
        { 76, 0.0, 1.5 }, { 74, 1.5, 0.5 }, { 72, 2.0, 1.0 }, { 71, 3.0, 1.0 },
        { 72, 4.0, 1.5 }, { 76, 5.5, 0.5 }, { 79, 6.0, 2.0 },
        { 81, 8.0, 1.0 }, { 79, 9.0, 0.5 }, { 77, 9.5, 0.5 }, { 76, 10.0, 2.0 },
        { 74, 12.0, 1.0 }, { 71, 13.0, 1.0 }, { 72, 14.0, 2.0 },
    };
    for (const auto& s : melody)
        note (s.note, s.start, s.length, 110);

    seq.sort();
    seq.updateMatchedPairs();
    return seq;
}

class Progress
{
public:
    explicit Progress (bool terminal) : isTerminal (terminal) {}

    void update (double fraction)
    {
        const int percent = juce::jlimit (0, 100, (int) (fraction * 100.0));
        if (percent == lastPercent)
            return;
        lastPercent = percent;

        if (isTerminal)
        {
            constexpr int width = 40;
            const int filled = percent * width / 100;
            std::fprintf (stderr, "\r[%s%s] %3d%%", std::string ((size_t) filled, '#').c_str(),
                          std::string ((size_t) (width - filled), '.').c_str(), percent);
            std::fflush (stderr);
        }
        else if (percent % 25 == 0)
        {
            std::fprintf (stderr, "rendered %d%%\n", percent);
        }
    }

    void finish()
    {
        if (isTerminal)
            std::fputs ("\n", stderr);
    }

private:
    bool isTerminal;
    int lastPercent = -1;
};

double toDb (double gain) { return gain > 0.0 ? 20.0 * std::log10 (gain) : -std::numeric_limits<double>::infinity(); }

/** Prints what the preset library finds: its folders, every bank with its folder
    and presets, and whether the start-up preset is there. */
int listPresets (const Options& o)
{
    corvane::PresetLibrary library (o.presetRoots);
    library.rescan();

    const auto folderNote = [] (const juce::File& f) { return f.isDirectory() ? juce::String() : juce::String ("  (missing)"); };

    std::printf ("factory presets: %s%s\n", library.factoryRoot().getFullPathName().toRawUTF8(),
                 folderNote (library.factoryRoot()).toRawUTF8());
    std::printf ("user presets:    %s%s\n", library.userRoot().getFullPathName().toRawUTF8(),
                 folderNote (library.userRoot()).toRawUTF8());

    int count = 0;
    for (int b = 0; b < (int) library.banks.size(); ++b)
    {
        const auto& bank = library.banks[(size_t) b];
        const auto folder = library.bankFolder (b);
        std::printf ("\n%s bank \"%s\": %s%s\n", bank.isUser ? "user" : "factory", bank.name.toRawUTF8(),
                     folder.getFullPathName().toRawUTF8(), folderNote (folder).toRawUTF8());

        for (const auto& preset : bank.presets)
            std::printf ("  %-28s %s\n", preset.name.toRawUTF8(), juce::File (preset.path).getFileName().toRawUTF8());

        if (bank.presets.empty())
            std::printf ("  (no presets)\n");

        count += (int) bank.presets.size();
    }

    const bool startup = library.selectByName (corvane::PresetLibrary::startupBankName, corvane::PresetLibrary::startupPresetName);
    std::printf ("\n%d presets in %d banks; start-up preset \"%s\" of bank \"%s\": %s\n", count,
                 (int) library.banks.size(), corvane::PresetLibrary::startupPresetName,
                 corvane::PresetLibrary::startupBankName,
                 startup ? library.current.path.toRawUTF8() : "not found, the built-in default sound is used");
    return 0;
}

int run (const Options& o)
{
    if (o.listPresets)
        return listPresets (o);

    const auto sequence = o.hasMidi ? loadMidiFile (o.midiFile) : demoPhrase();

    corvane::CorvaneAudioProcessor processor (o.presetRoots);

    if (o.hasPreset)
    {
        // The same guards and header check as the preset library's own reads.
        if (! o.presetFile.existsAsFile())
            fail ("preset file not found: " + o.presetFile.getFullPathName());

        const auto payload = processor.presetLibrary.readPresetFile (o.presetFile);
        if (payload == nullptr)
            fail ("not a usable Corvane preset (unreadable, too large, or wrong size or header): "
                  + o.presetFile.getFullPathName());

        processor.readState (payload->getData(), (int) payload->getSize(), true);
    }

    const auto outDir = o.output.getParentDirectory();
    if (o.output.isDirectory())
        fail ("the output path is a folder: " + o.output.getFullPathName());
    if (! outDir.isDirectory())
        fail ("the output folder does not exist: " + outDir.getFullPathName());

    // Written beside the target and moved over it only when complete, so that a
    // failure never leaves a partial file behind.
    juce::TemporaryFile temp (o.output);
    std::unique_ptr<juce::OutputStream> stream (temp.getFile().createOutputStream().release());
    if (stream == nullptr)
        fail ("cannot write to " + o.output.getFullPathName());

    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer (
        wav.createWriterFor (stream.get(), o.sampleRate, (unsigned int) o.channels, 24, {}, 0));
    if (writer == nullptr)
        fail ("cannot create a WAV writer for " + o.output.getFullPathName());
    stream.release(); // now owned by the writer

    processor.setPlayConfigDetails (0, o.channels, o.sampleRate, o.blockSize);
    processor.prepareToPlay (o.sampleRate, o.blockSize);

    const double lastTime = sequence.getNumEvents() > 0 ? sequence.getEndTime() : 0.0;
    const auto totalSamples = (juce::int64) std::ceil ((lastTime + o.tailSeconds) * o.sampleRate);

    juce::AudioBuffer<float> buffer (o.channels, o.blockSize);
    juce::MidiBuffer midi;
    Progress progress (isatty (fileno (stderr)) != 0);

    double peak = 0.0, sumSquares = 0.0;
    int nextEvent = 0;
    const auto started = std::chrono::steady_clock::now();

    for (juce::int64 pos = 0; pos < totalSamples; pos += o.blockSize)
    {
        const int n = (int) juce::jmin ((juce::int64) o.blockSize, totalSamples - pos);
        buffer.setSize (o.channels, n, false, false, true);
        midi.clear();

        while (nextEvent < sequence.getNumEvents())
        {
            const auto& msg = sequence.getEventPointer (nextEvent)->message;
            const auto at = (juce::int64) std::llround (msg.getTimeStamp() * o.sampleRate);
            if (at >= pos + n)
                break;
            midi.addEvent (msg, (int) juce::jmax ((juce::int64) 0, at - pos));
            ++nextEvent;
        }

        processor.processBlock (buffer, midi);

        for (int ch = 0; ch < o.channels; ++ch)
        {
            const float* d = buffer.getReadPointer (ch);
            for (int i = 0; i < n; ++i)
            {
                peak = juce::jmax (peak, (double) std::abs (d[i]));
                sumSquares += (double) d[i] * d[i];
            }
        }

        if (! writer->writeFromAudioSampleBuffer (buffer, 0, n))
            fail ("writing failed: " + o.output.getFullPathName());

        progress.update ((double) (pos + n) / (double) totalSamples);
    }

    const double cpuSeconds = std::chrono::duration<double> (std::chrono::steady_clock::now() - started).count();
    progress.finish();

    writer.reset();
    if (! temp.overwriteTargetFileWithTemporary())
        fail ("cannot write to " + o.output.getFullPathName());

    const double duration = (double) totalSamples / o.sampleRate;
    const double rms = totalSamples > 0 ? std::sqrt (sumSquares / ((double) totalSamples * o.channels)) : 0.0;
    std::printf ("%s: %.2f s of audio, peak %.1f dBFS, RMS %.1f dBFS, %.1fx realtime\n",
                 o.output.getFullPathName().toRawUTF8(), duration, toDb (peak), toDb (rms),
                 cpuSeconds > 0.0 ? duration / cpuSeconds : 0.0);
    return 0;
}

} // namespace

int main (int argc, char** argv)
{
    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add (juce::String::fromUTF8 (argv[i]));

    try
    {
        const auto options = parseArguments (args);
        juce::ScopedJuceInitialiser_GUI juce;
        return run (options);
    }
    catch (const HelpShown&)
    {
        return 0;
    }
    catch (const Failure& f)
    {
        std::fprintf (stderr, "corvane-render: %s\n", f.message.toRawUTF8());
        return exitUsage;
    }
}
