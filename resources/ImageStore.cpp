#include "ImageStore.h"

#include <CorvaneResources.h>

namespace corvane
{

const char* getResourceData (const char* resourceName, int& size)
{
    size = 0;
    if (resourceName == nullptr)
        return nullptr;
    return CorvaneResources::getNamedResource (resourceName, size);
}

juce::Image loadResourceImage (const char* resourceName)
{
    int size = 0;
    const char* data = getResourceData (resourceName, size);
    if (data == nullptr || size <= 0)
        return {};
    return juce::ImageCache::getFromMemory (data, size);
}

juce::Image loadImage (const juce::String& name)
{
    if (name.isEmpty())
        return {};
    const auto resourceName = name + "2x_png";
    return loadResourceImage (resourceName.toRawUTF8());
}

} // namespace corvane
