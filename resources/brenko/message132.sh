#!/bin/sh
# Bitmap 132 of Brenko: the initial message, 514 x 419, 16 colours.
set -e
F=DejaVu-Sans; FB=DejaVu-Sans-Bold
convert -size 514x46 xc:'#000080' -font $FB -pointsize 17 -fill white -gravity center \
  -annotate +0-6 'Instalación individual de aplicaciones' -font $F -pointsize 11 \
  -annotate +0+13 'Lea este mensaje antes de continuar' head.png
convert -size 486x -background white -fill black -font $F -pointsize 12 caption:'Este programa (Brenko.EXE) está destinado a instalaciones individuales de las aplicaciones de VONDRA: una sola máquina que es servidor y terminal a la vez.' p1.png
convert -size 486x -background white -fill '#800000' -font $FB -pointsize 12 caption:'Para una instalación en red use en su lugar los programas siguientes:' p2.png
convert -size 486x -background white -fill black -font $F -pointsize 12 caption:'Fostra.EXE, en la carpeta Servidor de la instalación: con él el administrador del sistema fija los parámetros de las aplicaciones que se emplean mediante la versión de Internet y decide cuáles de ellos puede cambiar una instalación en terminal. Solo las aplicaciones dadas de alta en él pueden instalarse en las terminales.' p3.png
convert -size 486x -background white -fill black -font $F -pointsize 12 caption:'Dalvo.EXE, en la carpeta Terminal: instala y configura en cada terminal las aplicaciones dadas de alta con Fostra.EXE.' p4.png
convert -size 486x -background white -fill black -font $F -pointsize 12 caption:'Kelmin.EXE, también en la carpeta Terminal: instala o actualiza la biblioteca RTF Pluvik.DLL, que pasa información al portapapeles en formato RTF y la graba en disco.' p5.png
convert -size 486x -background white -fill '#000080' -font $FB -pointsize 11 caption:'Continuar: seguir con esta instalación individual.   Ejecutar Fostra.EXE: configurar el servidor de una red.' p6.png
convert -size 514x419 xc:white head.png -geometry +0+0 -composite \
  p1.png -geometry +14+58 -composite \
  p2.png -geometry +14+112 -composite \
  -fill '#000080' -draw 'rectangle 14,140 19,145' p3.png -geometry +26+134 -composite \
  -fill '#000080' -draw 'rectangle 14,232 19,237' p4.png -geometry +26+226 -composite \
  -fill '#000080' -draw 'rectangle 14,276 19,281' p5.png -geometry +26+270 -composite \
  -fill '#C0C0C0' -draw 'rectangle 14,340 500,341' p6.png -geometry +14+352 -composite \
  -fill none -stroke '#000080' -draw 'rectangle 0,0 513,418' full.png
convert full.png -dither None -colors 16 -type Palette BMP3:message132.bmp
