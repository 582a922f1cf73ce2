// The dialog resources of the suite, by the names the code opens them with.
// Resource names are looked up without regard to case; one spelling here.
#pragma once

constexpr char IDD_INICIO[] = "INICIO";
constexpr char IDD_AYUDA_INICIO[] = "AYUDA_INICIO";
constexpr char IDD_PARAMETROS[] = "PARAMETROS";
constexpr char IDD_AYUDA_PARAMETROS[] = "AYUDA_PARAMETROS";
constexpr char IDD_AYUDA_PARAMETROS1[] = "AYUDA_PARAMETROS1";
constexpr char IDD_PARAM_ESTILO[] = "PARAM_ESTILO";
constexpr char IDD_PARAM_AREA[] = "PARAM_AREA";
constexpr char IDD_PARAM_RCM[] = "PARAM_RCM";
constexpr char IDD_IMPRESORAS[] = "IMPRESORAS";
constexpr char IDD_CONFIRMADSP[] = "CONFIRMADSP";
constexpr char IDD_CONF_GUARDAR[] = "CONF_GUARDAR";
constexpr char IDD_CONF_BORRAR[] = "CONF_BORRAR";
constexpr char IDD_CONF_COPIAR_JAR[] = "CONF_COPIAR_JAR";
constexpr char IDD_INSTALAR[] = "INSTALAR";
constexpr char IDD_AYUDA_INSTALA[] = "AYUDA_INSTALA";
constexpr char IDD_EXISTE[] = "EXISTE";
constexpr char IDD_SELEC_DIRECTORIO[] = "SELEC_DIRECTORIO";
constexpr char IDD_CREAR_DIRECTORIO[] = "CREAR_DIRECTORIO";
constexpr char IDD_STANDALONE[] = "STANDALONE";
constexpr char IDD_TERMINAR[] = "TERMINAR";
constexpr char IDD_DESINST[] = "DESINST";
