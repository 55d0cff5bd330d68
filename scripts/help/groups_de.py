"""Die Seiten der Variablengruppen (das Thema der Gruppenüberschrift). Die Gruppen
Drehen X und Y und die des Kompressors teilen ihre Nummer mit ihrem Effekt und
stehen dort."""

PAGES = {}

KEYING = """Jeder Wert hier wird zur aktuellen Zeit gesetzt: Ändern Sie ihn zu einer
Zeit, gehen Sie weiter, ändern Sie ihn wieder, und der Clip bewegt sich gleichmäßig
zwischen den beiden Schlüsselbildern. Die Schaltflächen neben jeder Zeile springen
zum [[vorherigen|611]] und [[nächsten|610]] Schlüsselbild dieser Variablen."""

PAGES[422] = f"""
Welcher Teil des eigenen Bildes des Clips verwendet wird, in Bruchteilen davon:
linke und obere Kante ab 0, rechte und untere ab 1
({{{{Quelle linke Kante|cc.IDS_SRC_L}}}}, {{{{Oben|cc.IDS_SRC_T}}}},
{{{{Rechts|cc.IDS_SRC_R}}}}, {{{{Unten|cc.IDS_SRC_B}}}}). Mit 0.25, 0.25, 0.75,
0.75 wird auf das mittlere Viertel beschnitten, das dann das
[[Zielrechteck|423]] füllt: ein Zoom. Schlüsselbilder auf dem Quellrechteck ergeben
einen Schwenk über ein großes Standbild.

Bearbeiten Sie es im [[Rechteckfeld|375]] oder in den Zeilen des
Parameterbereichs. {KEYING}
"""

PAGES[423] = f"""
Wo der Clip im Ausgabebild erscheint, in Bruchteilen davon:
{{{{Ziel linke Kante|cc.IDS_DST_L}}}} und {{{{Obere Kante|cc.IDS_DST_T}}}} beginnen
bei 0, {{{{Rechts|cc.IDS_DST_R}}}} und {{{{Unten|cc.IDS_DST_B}}}} bei 1, was das Bild
füllt. 0.5, 0, 1, 0.5 setzt den Clip ins obere rechte Viertel. Werte unter 0 oder
über 1 (bis 20) legen ihn teilweise oder ganz außerhalb des Bildes; so fliegt ein
Clip herein oder hinaus.

Ziehen Sie die [[Eckgriffe|497]] auf der Vorschau, verwenden Sie das
[[Rechteckfeld|375]] oder tippen Sie Werte ein. {KEYING} Das Tutorial
[[Die Position eines Clips über die Zeit steuern|7/tuts/keys.vrh]] zeigt einen
Clip, der das Bild durchquert.
"""

PAGES[425] = """
Die Variablen des Clips selbst, vor jedem Effekt:
- [[Deckkraft vor Effekten|554]] (-1 bis 1) wird zur Deckkraft des Bildes addiert.
  Bilder ohne eigene Transparenz brauchen 1, um sichtbar zu sein; 0.5 macht sie
  halb durchsichtig; mit Schlüsselbildern von 0 bis 1 blendet sie den Clip ein.
- [[Clip-Zeitumsetzer|231]] (Filme und Unteranordnungen) sagt, welcher Moment des
  Mediums gezeigt wird: 0 ist sein erstes Bild und 1 sein letztes. Ein neuer Clip
  hat zwei Schlüsselbilder, 0 an seinem Anfang und 1 am Ende des Mediums, so dass
  er normal abspielt. Mit Schlüsselbildern spielt er langsamer, schneller,
  eingefroren oder rückwärts.
Ein Titel beginnt mit Deckkraft vor Effekten 0, bis ein Schlüsselbild gesetzt wird.
"""

def colour_group(what, prefix, names, defaults):
    rows = ", ".join(f"{{{{{n}|cc.IDS_COLOR_{prefix}_{c}}}}}" for n, c in zip(names, "RGBA"))
    return f"""
{what} Ihre vier Werte ({rows}) reichen von 0 bis 1; die Voreinstellung ist
{defaults}. Alpha ist die Deckkraft der Farbe: 0 durchsichtig, 1 deckend.
Mit Schlüsselbildern ändern sich die Farben mit der Zeit.
"""

PAGES[394] = colour_group("Die Farbe der Buchstaben eines Titels.", "FG",
                          ("Vordergrund Rot", "Grün", "Blau", "Alpha"), "deckendes Weiß") + """
Siehe auch [[Hintergrundfarbe|393]] und [[Schriftvariablen|426]].
"""
PAGES[393] = colour_group("Die Farbe, auf die ein Titel gezeichnet wird, bevor seine Buchstaben "
                          "ausgeschnitten werden.", "BG",
                          ("Hintergrund Rot", "Grün", "Blau", "Alpha"),
                          "durchsichtiges Schwarz") + """
Nur die Pixel genau in der Buchstabenfarbe bleiben erhalten, so dass der Hintergrund
selbst nie sichtbar wird; er tönt die weichen Ränder der Buchstaben. Für einen
Kasten hinter einem Titel legen Sie einen Verlaufsclip ([[Verlauf|655]]) mit vier
gleichen Ecken auf die Spur darunter. Siehe auch [[Vordergrundfarbe|394]].
"""

PAGES[426] = """
Die Buchstaben eines Titelclips:
- {{Schriftgröße|cc.IDS_STR_FONTSIZE}} in Punkt (5 bis 500, 32 als
  Voreinstellung); die Wörter werden auf einer Zeile gezeichnet, mittig im Bild,
  das dann in das [[Zielrechteck|423]] gelegt wird.
- {{Schriftstärke|cc.IDS_STR_FONTWEIGHT}}: 0 dünn, 0.5 normal, 1 am fettesten.
- {{Kursiv|cc.IDS_STR_ITALIC}} und {{Unterstrichen|cc.IDS_STR_UNDERLINE}} sind
  Schalter.
Die Wörter selbst ändern Sie mit Text ändern im Menü des Clips. Die Farben stehen
in [[Vordergrundfarbe|394]] und [[Hintergrundfarbe|393]], der Schlagschatten in
[[Schattenvariablen|427]].
"""

PAGES[427] = """
Die Schatteneinstellungen eines Titelclips:
{{Schattenabstand|cc.IDS_STR_SDIST}} (0.02 als Voreinstellung),
{{Schattenwinkel|cc.IDS_STR_SANG}} und {{Innen zeigen|cc.IDS_STR_SINS}}. Sie werden mit dem Titel gehalten, mit Schlüsselbildern
versehen und im Projekt gespeichert, aber diese Version von Vantrel zeichnet Titel
ohne Schatten. Für einen Schatten heute duplizieren Sie den Titel, färben die
Kopie schwarz, legen sie auf die Spur darunter und verschieben ihr
[[Zielrechteck|423]] ein wenig nach rechts unten.
"""

def corner_group(corner, prefix, default):
    rows = ", ".join(f"{{{{{n}|cc.IDS_COLOR_{prefix}_{c}}}}}" for n, c in zip(("Rot", "Grün", "Blau", "Alpha"), "RGBA"))
    return f"""
Die Farbe der {corner} Ecke eines Verlaufsclips ({rows}; jeweils 0 bis 1; {default}
als Voreinstellung). Das Bild geht gleichmäßig zwischen seinen vier Eckfarben über.
Setzen Sie alle vier gleich für eine einfarbige Fläche, zwei für einen einfachen
Übergang, und versehen Sie sie mit Schlüsselbildern für einen Himmel, der vom Tag
zur Dämmerung wechselt. Die Ecken: [[Links oben|655]], [[Rechts oben|660]],
[[Links unten|670]], [[Rechts unten|665]].
"""

PAGES[655] = corner_group("linken oberen", "LT", "Weiß")
PAGES[660] = corner_group("rechten oberen", "RT", "Grün")
PAGES[670] = corner_group("linken unteren", "LB", "Rot")
PAGES[665] = corner_group("rechten unteren", "RB", "Blau")

PAGES[424] = f"""
Der Teil des Clipbildes, auf dem ein Effekt arbeitet, in Bruchteilen: 0, 0, 1, 1
(die Voreinstellung) ist das ganze Bild. Jeder Videoeffekt hat sein eigenes, so dass
ein Clip links weichgezeichnet und rechts gespiegelt sein kann. Die Form-Keys und
die [[Blase|419]] passen ihre Form hinein; Schlüsselbilder darauf lassen den Effekt
wandern, etwa einen [[Circle Key|181]], der einem Gesicht folgt.
({{{{Effekt linke Kante|cv.IDS_EFF_L}}}}, {{{{Oben|cv.IDS_EFF_T}}}},
{{{{Rechts|cv.IDS_EFF_R}}}}, {{{{Unten|cv.IDS_EFF_B}}}}.) Bearbeiten Sie es im
[[Rechteckfeld|375]]. {KEYING}
"""

PAGES[521] = """
Zwei Schalter, die jeder Effekt hat. Ein Effekt läuft nur, solange beide an sind.
- {{Effekt aktiv|cv.IDS_EFFECT_ENABLE}} hat einen Wert für den ganzen Clip:
  Schalten Sie ihn aus, um das Bild mit und ohne den Effekt zu vergleichen.
- {{Effekt umschalten|cv.IDS_EFFECT_TOGGLE}} kann Schlüsselbilder haben: aus zu
  einer Zeit, an zu einer anderen, um einen Effekt nur für einen Teil des Clips zu
  verwenden.
Bei Audioeffekten wirken sie ebenso auf den Ton.
"""

PAGES[428] = """
Die eigenen Werte des Effekts unter einer gemeinsamen Überschrift. Welche erscheinen,
hängt vom Effekt ab: {{Deckkraft|cv.IDS_OPACITY}} bei [[Deckkraft|103]],
Fortschritt, Winkel und Glättung bei der [[Wischblende|282]], Winkel, Drehungen und
Mitte beim [[Rotator|266]], die Verzerrungen von [[Quadratwurzel|297]], das
Helligkeitsfenster des [[Green Key|30]] und seiner Verwandten, die Verschiebung der
[[Überblendschleifen|439]], die Größen der Rahmen sowie Lautstärke und Panorama bei
[[Lautstärke/Panorama|142]]. Die Seite jedes Effekts erklärt seine Werte.
"""

PAGES[430] = """
Die Farbänderungen des [[Anpassers|106]] und jedes Effekts von
[[Anpassen mit|251]]:
{{Rot anpassen|cv.IDS_ADJ_RED}}, {{Grün anpassen|cv.IDS_ADJ_GREEN}},
{{Blau anpassen|cv.IDS_ADJ_BLUE}} (-1 bis 1, 0 unverändert),
{{Sättigung anpassen|cv.IDS_ADJ_SATURATION}} (1 volle Farbe, 0 grau) und
{{Deckkraft anpassen|cv.IDS_ADJ_OPACITY}} (-1 bis 1; die Anpassen-mit-Effekte
lassen die Deckkraft unberührt).
"""

PAGES[431] = """
Die Grenzen des [[Mappers|111]], zwei je Kanal: Der Wert "0" ist, was aus dem
Dunkelsten des Kanals wird, der Wert "1", was aus seinem Hellsten wird.
{{Rot 1|cv.IDS_MAP_RED_1}}, {{Rot 0|cv.IDS_MAP_RED_0}},
{{Grün 1|cv.IDS_MAP_GREEN_1}}, {{Grün 0|cv.IDS_MAP_GREEN_0}},
{{Blau 1|cv.IDS_MAP_BLUE_1}}, {{Blau 0|cv.IDS_MAP_BLUE_0}},
{{Deckkraft 1|cv.IDS_MAP_OPACITY_1}}, {{Deckkraft 0|cv.IDS_MAP_OPACITY_0}}.
1 und 0 lassen einen Kanal, wie er ist; 0.8 und 0.2 verflachen seinen Kontrast.
"""

PAGES[432] = """
Die zwei Radien der Kreis- und Oval-Keys und der Kreis- und Oval-Effekte von
[[Anpassen mit|251]]: {{Radius 1|cv.IDS_RADIUS_1}} (0.5 als Voreinstellung) und
{{Radius 2|cv.IDS_RADIUS_2}} (0.25). Der größere ist die äußere Kante des weichen
Bandes, der kleinere die innere; gleiche Werte ergeben eine harte Kante. 1 reicht
bis in die Ecken des [[Effektrechtecks|424]].
"""

PAGES[433] = """
Die zwei Größen der Rechteck-Keys und der Rechteck-Effekte von
[[Anpassen mit|251]]: {{Größe 1|cv.IDS_SIZE1}} (1 als Voreinstellung) und
{{Größe 2|cv.IDS_SIZE2}} (0.5). Die größere ist die äußere Kante des weichen
Randes, die kleinere die innere; 1 reicht bis an die Seiten des
[[Effektrechtecks|424]].
"""

PAGES[680] = """
Die Farbe des Rahmens des Effekts [[Rahmenstil 1|679]]:
{{Rahmen Rot|cv.IDS_COLOR_FRAME_R}}, {{Rahmen Grün|cv.IDS_COLOR_FRAME_G}},
{{Rahmen Blau|cv.IDS_COLOR_FRAME_B}} (0 bis 1; mittleres Grau als Voreinstellung)
und {{Rahmen Alpha|cv.IDS_COLOR_FRAME_A}}, seine Deckkraft.
"""

PAGES[436] = """
Die Key-Farbe und die Toleranzen der Familie des [[RGB Key|28]]:
{{Rot|cv.IDS_RED}}, {{Grün|cv.IDS_GREEN}}, {{Blau|cv.IDS_BLUE}} geben die Farbe an
(am einfachsten mit der [[Farbpipette|616]] gesetzt), und
{{Rot-Toleranz|cv.IDS_RED_TOLERANCE}}, {{Grün-Toleranz|cv.IDS_GREEN_TOLERANCE}},
{{Blau-Toleranz|cv.IDS_BLUE_TOLERANCE}}, wie weit jeder Kanal abweichen darf (0.1
als Voreinstellung). Die [[Blase|419]] verwendet dieselben drei Farbwerte für ihren
Grund.
"""

PAGES[437] = """
Die Toleranzen der Familie des [[Chroma Key|29]].
{{Chroma-Toleranz|cv.IDS_CHROMA_TOLERANCE}} ist, wie weit die Farbe eines Pixels von
der Key-Farbe entfernt sein darf, {{Luma-Toleranz|cv.IDS_LUMA_TOLERANCE}}, wie weit
seine Helligkeit. Die Key-Farbe selbst wird mit der [[Farbpipette|616]] gesetzt und
hat keine eigenen Zeilen.
"""

PAGES[438] = """
Die Einstellungen der [[Faltungsfilter|77]]: {{Matrixgröße|cv.IDS_MATRIX_SIZE}},
die Nachbarschaft in Pixeln (3 bis 32, ungerade gemacht), und
{{Effektstärke|cv.IDS_EFFECT_LEVEL}}, wie viel des gefilterten Bildes über das
Original geblendet wird (0 nichts, 1 alles).
"""
