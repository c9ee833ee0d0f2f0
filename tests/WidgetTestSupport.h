#pragma once

#include "editor/widgets/OVComponent.h"
#include "engine/CorvaneAudioProcessor.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <string>
#include <vector>

namespace corvane::test
{

/** Mouse input synthesised and delivered straight to a component's handlers, in the
    order JUCE delivers it (a double-click's handler runs after the second release). */
struct Mouse
{
    explicit Mouse (juce::Component& c) : target (c) {}

    juce::MouseEvent event (juce::Point<float> p, juce::ModifierKeys mods = {}, int clicks = 1) const
    {
        const auto now = juce::Time::getCurrentTime();
        return { juce::Desktop::getInstance().getMainMouseSource(), p, mods, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                 &target, &target, now, downAt, now, clicks, false };
    }

    void down (float x, float y, juce::ModifierKeys mods = {})
    {
        downAt = { x, y };
        target.mouseDown (event ({ x, y }, mods));
    }
    void drag (float x, float y, juce::ModifierKeys mods = {}) { target.mouseDrag (event ({ x, y }, mods)); }
    void up (float x, float y, juce::ModifierKeys mods = {}) { target.mouseUp (event ({ x, y }, mods)); }
    void click (float x, float y) { down (x, y); up (x, y); }

    void doubleClick (float x, float y)
    {
        click (x, y);
        downAt = { x, y };
        target.mouseDown (event ({ x, y }, {}, 2));
        target.mouseUp (event ({ x, y }, {}, 2));
        target.mouseDoubleClick (event ({ x, y }, {}, 2));
    }

    void wheel (float deltaY, juce::ModifierKeys mods = {})
    {
        juce::MouseWheelDetails w {};
        w.deltaX = 0.0f;
        w.deltaY = deltaY;
        target.mouseWheelMove (event ({ 1.0f, 1.0f }, mods), w);
    }

    static juce::ModifierKeys alt() { return juce::ModifierKeys (juce::ModifierKeys::altModifier); }

    juce::Component& target;
    juce::Point<float> downAt;
};

/** One shared record of everything a control tells the host and its listeners. */
struct EventLog
{
    std::vector<std::string> entries;
    void add (const std::string& s) { entries.push_back (s); }
    void clear() { entries.clear(); }

    /** Entries that start with prefix, in order. */
    std::vector<std::string> only (const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (auto& e : entries)
            if (e.rfind (prefix, 0) == 0)
                out.push_back (e);
        return out;
    }
    size_t count (const std::string& prefix) const { return only (prefix).size(); }
};

inline std::string valueText (float v) { return juce::String (v, 4).toStdString(); }

/** A listener that writes every notification into the log under its name. */
struct RecordingListener : public OVUICallback
{
    RecordingListener (EventLog& l, std::string n) : log (l), name (std::move (n)) {}

    void controlValueChanged (OVComponent*, int id, float v) override { log.add (name + ":changed " + std::to_string (id) + " " + valueText (v)); }
    void controlPressed (OVComponent*, int id) override { log.add (name + ":pressed " + std::to_string (id)); }
    void controlReleased (OVComponent*, int id) override { log.add (name + ":released " + std::to_string (id)); }
    void controlGestureStarted (OVComponent*, int id, juce::Point<float> anchor) override
    {
        log.add (name + ":started " + std::to_string (id));
        lastAnchor = anchor;
    }
    void controlGestureEnded (OVComponent*, int id) override { log.add (name + ":ended " + std::to_string (id)); }
    void controlMouseEntered (OVComponent*, int id) override { log.add (name + ":entered " + std::to_string (id)); }
    void controlMouseExited (OVComponent*, int id) override { log.add (name + ":exited " + std::to_string (id)); }
    float getValueFor (int) override { return answer; }

    EventLog& log;
    std::string name;
    juce::Point<float> lastAnchor;
    float answer = 0.0f;
};

/** Records what the host hears from a parameter: gestures and values, in order. */
struct HostRecorder : private juce::AudioProcessorParameter::Listener
{
    HostRecorder (EventLog& l, juce::AudioProcessorParameter& p) : log (l), parameter (p) { parameter.addListener (this); }
    ~HostRecorder() override { parameter.removeListener (this); }

    void parameterValueChanged (int, float v) override { log.add ("host:value " + valueText (v)); }
    void parameterGestureChanged (int, bool starting) override { log.add (starting ? "host:begin" : "host:end"); }

    EventLog& log;
    juce::AudioProcessorParameter& parameter;
};

/** Runs the message loop until the condition holds or the time is up. */
template <typename Condition>
bool pumpMessagesUntil (Condition condition, int timeoutMs = 2000)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    while (! condition())
    {
        if (juce::Time::getMillisecondCounter() > end)
            return false;
        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
    }
    return true;
}

/** Lets every pending asynchronous update run. */
inline void pumpMessages (int ms = 30)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (ms);
}

/** Counts a component's repaint requests (the component must be visible). Attach with
    attachRepaintCounter; the component owns it. */
struct RepaintCounter : public juce::CachedComponentImage
{
    void paint (juce::Graphics&) override {}
    bool invalidateAll() override { ++count; return false; }
    bool invalidate (const juce::Rectangle<int>&) override { ++count; return false; }
    void releaseResources() override {}
    int count = 0;
};

inline RepaintCounter& attachRepaintCounter (juce::Component& c)
{
    auto* counter = new RepaintCounter();
    c.setVisible (true);
    c.setCachedComponentImage (counter);
    counter->count = 0;
    return *counter;
}

/** Renders a component into an image at the given scale, without a window. */
inline juce::Image render (juce::Component& c, float scale = 1.0f)
{
    juce::Image image (juce::Image::ARGB, juce::jmax (1, juce::roundToInt ((float) c.getWidth() * scale)),
                       juce::jmax (1, juce::roundToInt ((float) c.getHeight() * scale)), true);
    juce::Graphics g (image);
    g.addTransform (juce::AffineTransform::scale (scale));
    c.paintEntireComponent (g, true);
    return image;
}

} // namespace corvane::test
