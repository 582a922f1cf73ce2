#include "editform.h"

#include "../resources/params/editor_ids.h"
#include "../resources/params/editor_server_ids.h"
#include "../resources/params/editor_standalone_ids.h"

namespace {

// The controls every form has, named alike but for the prefix of its
// identifiers (ED terminal, ES server, EG stand-alone).
#define VONDRA_EDITOR_CONTROLS(P)                                       \
    f.params[ED_MODERNO] = {IDC_##P##_MODERNO, IDC_##P##_PRE_MODERNO, 0};             \
    f.params[ED_DECORATIVO] = {IDC_##P##_DECORATIVO, IDC_##P##_PRE_DECORATIVO, 0};    \
    f.params[ED_ROMANO] = {IDC_##P##_ROMANO, IDC_##P##_PRE_ROMANO, 0};                \
    f.params[ED_SUIZO] = {IDC_##P##_SUIZO, IDC_##P##_PRE_SUIZO, 0};                   \
    f.params[ED_MANUSCRITO] = {IDC_##P##_MANUSCRITO, IDC_##P##_PRE_MANUSCRITO, 0};    \
    f.params[ED_ENVIO] = {IDC_##P##_ENVIO, IDC_##P##_PRE_ENVIO, 0};                   \
    f.params[ED_TAMANO] = {IDC_##P##_TAMANO, IDC_##P##_PRE_TAMANO, 0};                \
    f.params[ED_DIRECTORIO] = {IDC_##P##_DIRECTORIO, IDC_##P##_PRE_DIRECTORIO, 0};    \
    f.params[ED_NOMBRE_DIRECTA] = {IDC_##P##_NOMBRE_DIRECTA, IDC_##P##_PRE_NOMBRE_DIRECTA, 0}; \
    f.params[ED_MARGEN] = {IDC_##P##_MARGEN, IDC_##P##_PRE_MARGEN, 0};                \
    f.rcm = IDC_##P##_RCM;                                              \
    f.printer = IDC_##P##_IMPRESORAS;                                   \
    f.nombre = IDC_##P##_NOMBRE;                                        \
    f.ip = IDC_##P##_IP;                                                \
    f.parametros = IDC_##P##_PARAMETROS;                                \
    f.paginaInicial = IDC_##P##_PAGINA_INICIAL;                         \
    f.imagenesGrandes = IDC_##P##_IMAGENES_GRANDES;                     \
    f.directaI = IDC_##P##_DIRECTA_I;                                   \
    f.directaF = IDC_##P##_DIRECTA_F;                                   \
    f.directaA = IDC_##P##_DIRECTA_A;                                   \
    f.enviador = IDC_##P##_ENVIADOR;                                    \
    f.servidor = IDC_##P##_SERVIDOR;                                    \
    f.clave = IDC_##P##_CLAVE;                                          \
    f.imagen = IDC_##P##_IMAGEN;                                        \
    f.seleccionarSi = IDC_##P##_SELECCIONAR_SI;                         \
    f.seleccionarNo = IDC_##P##_SELECCIONAR_NO;                         \
    f.tiempo = IDC_##P##_TIEMPO;                                        \
    f.preview = IDC_##P##_PREVIEW;                                      \
    f.changeIcon = IDC_##P##_CAMBIAR_ICONO;                             \
    f.estilo = IDC_##P##_ESTILO;                                        \
    f.area = IDC_##P##_AREA;                                            \
    f.cancel = IDC_##P##_CANCELAR;                                      \
    f.help = IDC_##P##_AYUDA

EditorForm TerminalEditor()
{
    EditorForm f{};
    VONDRA_EDITOR_CONTROLS(ED);
    f.accept = IDC_ED_ACEPTAR;
    f.remove = IDC_ED_DESINSTALAR;
    f.modRestricts = 1;
    return f;
}

EditorForm ServerEditor()
{
    EditorForm f{};
    VONDRA_EDITOR_CONTROLS(ES);
    f.params[ED_MODERNO].modBox = IDC_ES_MOD_MODERNO;
    f.params[ED_DECORATIVO].modBox = IDC_ES_MOD_DECORATIVO;
    f.params[ED_ROMANO].modBox = IDC_ES_MOD_ROMANO;
    f.params[ED_SUIZO].modBox = IDC_ES_MOD_SUIZO;
    f.params[ED_MANUSCRITO].modBox = IDC_ES_MOD_MANUSCRITO;
    f.params[ED_ENVIO].modBox = IDC_ES_MOD_ENVIO;
    f.params[ED_TAMANO].modBox = IDC_ES_MOD_TAMANO;
    // One Mod. box stands for the direct printer's directory and name.
    f.params[ED_DIRECTORIO].modBox = IDC_ES_MOD_DIRECTA;
    f.params[ED_MARGEN].modBox = IDC_ES_MOD_MARGEN;
    f.accept = IDC_ES_GUARDAR;
    f.remove = IDC_ES_BORRAR;
    f.modEnviador = IDC_ES_MOD_ENVIADOR;
    f.modServidor = IDC_ES_MOD_SERVIDOR;
    f.modClave = IDC_ES_MOD_CLAVE;
    f.modImagen = IDC_ES_MOD_IMAGEN;
    f.modSeleccionar = IDC_ES_MOD_SELECCIONAR;
    f.editsIdentity = 1;
    return f;
}

// The general installer edits everything: nothing is held by a Mod. flag, and
// the name, server and /P parameters are read back as in the server form.
EditorForm StandaloneEditor()
{
    EditorForm f{};
    VONDRA_EDITOR_CONTROLS(EG);
    f.accept = IDC_EG_ACEPTAR;
    f.remove = IDC_EG_DESINSTALAR;
    f.editsIdentity = 1;
    return f;
}

#undef VONDRA_EDITOR_CONTROLS

}  // namespace

const EditorForm TERMINAL_EDITOR = TerminalEditor();
const EditorForm SERVER_EDITOR = ServerEditor();
const EditorForm STANDALONE_EDITOR = StandaloneEditor();
