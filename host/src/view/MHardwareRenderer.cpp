#include <maya/MGLFunctionTable.h>
#include <maya/MHardwareRenderer.h>

MHardwareRenderer* MHardwareRenderer::theRenderer() {
    static MHardwareRenderer renderer;
    return &renderer;
}

MGLFunctionTable* MHardwareRenderer::glFunctionTable() const {
    static MGLFunctionTable table;
    return &table;
}
