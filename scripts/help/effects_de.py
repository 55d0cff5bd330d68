"""Die Seiten der Effekte und ihrer Kategorien, nach Themennummer (dem Typ des
Effekts)."""

PAGES = {}

CATEGORIES = ("[[Grundeffekte|105]] [[Keys|75]] [[Faltung|77]] [[Anpassen mit|251]] "
              "[[Muster / Schleifen|442]] [[Sonstige|271]]")

COMMON = """
Wie jeder Videoeffekt wirkt er innerhalb seines [[Effektrechtecks|424]] und nur,
solange seine [[Schalter|521]] an sind; hinzugefügt wird er mit
[[Videoeffekt hinzufügen|366]]."""

# -- Kategorien -----------------------------------------------------------------

PAGES[605] = f"""
Videoeffekte ändern das Bild eines Clips, bevor es auf die Anordnung gelegt wird,
oder, wenn sie ohne aktuellen Clip hinzugefügt werden, als Master-Effekte das ganze
zusammengesetzte Bild. Ein Clip kann viele tragen; sie laufen nacheinander in der
Reihenfolge, in der sie hinzugefügt wurden.

Jede Effektvariable kann Schlüsselbilder haben: Setzen Sie zu einer Zeit einen Wert,
zu einer späteren Zeit einen anderen, und der Effekt ändert sich dazwischen
gleichmäßig. Die Kategorien: {CATEGORIES}.

Einen fügen Sie mit [[Videoeffekt hinzufügen|366]] hinzu; seine Variablen zeigt
[[Mit Videoeffekten arbeiten|362]].
"""

PAGES[606] = """
Audioeffekte ändern den Ton eines Clips, bevor er gemischt wird, oder die ganze
Mischung, wenn kein Clip aktuell ist. [[Lautstärke/Panorama|142]] setzt Lautstärke
und Balance; damit entstehen Blenden und Ducking. Der
[[4-Band-Kompressor / Expander|514]] formt die Dynamik. Einen fügen Sie mit
[[Audioeffekt hinzufügen|365]] hinzu; das Tutorial
[[Ton mischen und absenken|7/tuts/audio.vrh]] verwendet beide Ideen.
"""

PAGES[105] = f"""
Die alltäglichen Effekte: [[Deckkraft|103]] blendet ein Bild, der
[[Anpasser|106]] verschiebt seine Farben und seine Sättigung, der [[Mapper|111]]
dehnt seine Farbbereiche, und [[Seitenverkehrt|300]] und [[Kopfüber|301]]
spiegeln es. Andere Kategorien: {CATEGORIES}.
"""

PAGES[75] = f"""
Keys machen Teile eines Bildes durchsichtig, so dass die Clips auf tieferen Spuren
durchscheinen. Es gibt drei Arten:
- Farb-Keys: [[RGB Key|28]] und [[Chroma Key|29]] entfernen eine Farbe, die Sie
  wählen;
- Keys nach vorherrschender Farbe und Helligkeit: [[Green Key|30]],
  [[Red Key|546]], [[Blue Key|548]] und [[Brightness Key|31]] entfernen Pixel nach
  ihrem stärksten Kanal oder ihrer Helligkeit; die übliche Wahl für einen
  Greenscreen;
- Form-Keys: [[Circle Key|181]], [[Oval Key außen|244]] und
  [[Rechteck-Key außen|247]] behalten eine Form mit weichem Rand.

Jeder hat eine umgekehrte Form, die behält, was der einfache entfernt. Ein
[[Key-Glätter|78]] nach einem Key macht seine Kante weicher. Das Tutorial
[[Einen grünen Hintergrund freistellen|7/tuts/greenkey.vrh]] zeigt den ganzen Weg.
Andere Kategorien: {CATEGORIES}.
"""

PAGES[77] = f"""
Filter, die die Nachbarn jedes Pixels betrachten: [[Weichzeichner|149]] macht das
Bild weicher, [[Kantenerkennung|72]] zeichnet seine Umrisse, und
[[Key-Glätter|78]] glättet die Kanten, die ein Key hinterlässt. Alle drei nehmen
eine [[Matrixgröße|438]] (die Nachbarschaft) und eine Effektstärke, die das
Ergebnis mit dem Original mischt. Andere Kategorien: {CATEGORIES}.
"""

PAGES[251] = f"""
Farbanpassung, beschränkt auf einen Teil des Bildes. Jeder dieser Effekte findet
zuerst die Pixel, die ein Key oder eine Form wählen würde, und wendet dann die
Farbänderungen des [[Anpassers|106]] nur auf diese Pixel an; das Bild bleibt
deckend. So tönt zum Beispiel [[Green Color Key|290]] nur die grünen Teile,
[[Kreis innen|256]] nur einen weichen Kreis und
[[RGB Key ohne Key-Farbe|253]] alles außer einer Farbe. Gut für Vignetten, für
Akzentfarben und um eine zu laute Farbe zu beruhigen. Andere Kategorien:
{CATEGORIES}.
"""

PAGES[442] = f"""
Effekte, die das Bild so umbrechen, dass es sich ohne Naht wiederholt:
[[Überblendschleife horizontal|439]] und [[Überblendschleife vertikal|440]] rollen
es endlos, [[Drehen X|443]] und [[Drehen Y|449]] rollen und wiederholen es wie eine
Trommel. Versehen Sie ihre Variablen mit Schlüsselbildern für bewegte
Hintergründe. Andere Kategorien: {CATEGORIES}.
"""

PAGES[271] = f"""
Effekte, die Pixel verschieben oder das Bild schneiden: die
[[Wischblende|282]] für Übergänge, der [[Rotator|266]], um ein Bild zu drehen,
[[Quadratwurzel|297]], um es zu biegen, die [[Blase|419]], um es in eine Ellipse
zu pressen, und die Rahmen [[Rahmenstil 1|679]] und
[[Versenkter Schatten links oben|676]]. Andere Kategorien: {CATEGORIES}.
"""

# -- Grundeffekte -------------------------------------------------------------------

PAGES[103] = f"""
Macht den Clip mehr oder weniger durchsichtig. {{{{Deckkraft|cv.IDS_OPACITY}}}} reicht
von -1 (unsichtbar) über 0 (unverändert) bis +1 (ganz deckend, auch wo das Bild
durchsichtig war).

Um einen Clip auszublenden: Setzen Sie Deckkraft in dem Moment, in dem die Blende
beginnen soll, auf 0; gehen Sie ans Ende der Blende und setzen Sie sie auf -1. Den
Rest erledigen die Schlüsselbilder. Die eigene
[[Deckkraft vor Effekten|425]] des Clips wirkt ebenso, bevor irgendein Effekt
läuft.
{COMMON}
"""

PAGES[106] = f"""
Verschiebt die Farben des Bildes. {{{{Rot anpassen|cv.IDS_ADJ_RED}}}},
{{{{Grün|cv.IDS_ADJ_GREEN}}}} und {{{{Blau|cv.IDS_ADJ_BLUE}}}} geben ihrem Kanal
etwas hinzu oder nehmen etwas weg (-1 bis +1; 0 ändert nichts),
{{{{Sättigung anpassen|cv.IDS_ADJ_SATURATION}}}} macht Farbe zu Grau, wenn sie von
1 auf 0 sinkt, und {{{{Deckkraft anpassen|cv.IDS_ADJ_OPACITY}}}} verändert die
Durchsichtigkeit.

Eine warme Abendstimmung: Rot +0.1, Blau -0.1, Sättigung 0.8. Schwarzweiß:
Sättigung 0. Siehe die [[Anpasser-Variablen|430]].
{COMMON}
"""

PAGES[111] = f"""
Bildet jeden Farbkanal und die Deckkraft zwischen zwei Grenzen neu ab: Das Schwarz
eines Kanals wird zu seinem Wert "0", seine volle Stärke zu seinem Wert "1", alles
dazwischen wird skaliert. {{{{Rot 1|cv.IDS_MAP_RED_1}}}} auf 0.5 halbiert das Rot;
{{{{Blau 0|cv.IDS_MAP_BLUE_0}}}} auf 0.3 hebt die Schatten in Richtung Blau; 0 und
1 aller drei Farben vertauscht ergeben ein Negativ. Siehe die
[[Mapper-Variablen|431]].
{COMMON}
"""

PAGES[182] = f"""
Schickt eine farblich umgesetzte Kopie des Clipbildes an eine zweite Stelle der
Anordnung: Die Kopie wird so umgesetzt wie beim [[Mapper|111]] und in das eigene
[[Zielrechteck|423]] des Effekts gelegt, während der Clip selbst bleibt, wie er ist.
Verwenden Sie es für eine getönte Spiegelung oder eine zweite kleine Ansicht
desselben Clips.
{COMMON}
"""

PAGES[300] = f"""
Spiegelt das Bild innerhalb des Effektrechtecks von links nach rechts. Er hat keine
eigenen Variablen; schalten Sie ihn über die Zeit mit
{{{{Effekt umschalten|cv.IDS_EFFECT_TOGGLE}}}} ein und aus. Setzen Sie das
[[Effektrechteck|424]] auf die linke Hälfte, um ein symmetrisches Bild zu erhalten.
{COMMON}
"""

PAGES[301] = f"""
Stellt das Bild innerhalb des Effektrechtecks auf den Kopf. Wie
[[Seitenverkehrt|300]] hat er keine eigenen Variablen; zusammen drehen die beiden
ein Bild um einen halben Kreis.
{COMMON}
"""

# -- Keys ---------------------------------------------------------------------------

RGB = """Wählen Sie die zu entfernende Farbe mit dem Streifen der
[[Farbpipette|616]] oben im Feld des Effekts: Drücken Sie die Maustaste darauf und
ziehen Sie auf die Farbe in der Vorschau. Die drei Toleranzen sagen, wie weit jeder
Kanal abweichen darf und noch zählt; beginnen Sie bei 0.1 und erhöhen Sie sie, bis
die Kanten sauber sind. Siehe die [[RGB-Key-Variablen|436]]."""

PAGES[28] = f"""
Entfernt jedes Pixel, dessen Rot, Grün und Blau alle nahe bei der Key-Farbe liegen.
Am besten für flache, gleichmäßig beleuchtete Hintergründe in einer Farbe.

{RGB}
{COMMON}
"""

PAGES[130] = f"""
Behält nur die Pixel nahe der Key-Farbe und entfernt alles andere: das Gegenteil des
[[RGB Key|28]]. Damit schneiden Sie einen farbigen Gegenstand aus seiner Umgebung
aus.

{RGB}
{COMMON}
"""

CHROMA = """Die Key-Farbe wird wie beim RGB Key mit dem Streifen der
[[Farbpipette|616]] gewählt. {{Chroma-Toleranz|cv.IDS_CHROMA_TOLERANCE}} ist, wie weit
die Farbe selbst abweichen darf, {{Luma-Toleranz|cv.IDS_LUMA_TOLERANCE}}, wie weit
ihre Helligkeit. Siehe die [[Chroma-Key-Variablen|437]]."""

PAGES[29] = f"""
Entfernt Pixel nach ihrer Farbe statt nach Rot, Grün und Blau, so dass ein
Hintergrund in Licht und Schatten mit einer Einstellung verschwindet: Erhöhen Sie
die Luma-Toleranz, um die Schatten einzuschließen, und halten Sie die
Chroma-Toleranz klein, um Farben nahe dem Hintergrund zu schonen.

{CHROMA}
{COMMON}
"""

PAGES[131] = f"""
Behält nur die Pixel, deren Farbe nahe bei der Key-Farbe liegt: das Gegenteil des
[[Chroma Key|29]].

{CHROMA}
{COMMON}
"""

def dominant(colour, opposite, example):
    return f"""
Entfernt jedes Pixel, in dem {colour} der stärkste Kanal ist und dessen Helligkeit
zwischen {{{{Helligkeit 1|cv.IDS_BRIGHTNESS1}}}} und
{{{{Helligkeit 2|cv.IDS_BRIGHTNESS2}}}} liegt. Keine Farbe muss gewählt werden; das
macht ihn zum schnellsten Key für {example}. Verengen Sie das Helligkeitsfenster
(Helligkeit 1 erhöhen), wenn Teile des Motivs verschwinden; fügen Sie einen
[[Key-Glätter|78]] für weichere Kanten hinzu. Die
[[umgekehrte Form|{opposite}]] behält, was dieser entfernt.
{COMMON}
"""

PAGES[30] = dominant("Grün", 288, "einen Greenscreen, wie im Tutorial "
                     "[[Einen grünen Hintergrund freistellen|7/tuts/greenkey.vrh]]")
PAGES[546] = dominant("Rot", 547, "einen roten Hintergrund")
PAGES[548] = dominant("Blau", 549, "einen Bluescreen")

def dominant_inverted(colour, adjective, key, plain):
    return f"""
Behält nur die Pixel, in denen {colour} der stärkste Kanal ist und deren
Helligkeit zwischen {{{{Helligkeit 1|cv.IDS_BRIGHTNESS1}}}} und
{{{{Helligkeit 2|cv.IDS_BRIGHTNESS2}}}} liegt; alles andere wird durchsichtig.
Das Gegenteil des [[{key}|{plain}]]: Damit heben Sie einen {adjective} Gegenstand
aus seinem Bild heraus.
{COMMON}
"""

PAGES[288] = dominant_inverted("Grün", "grünen", "Green Key", 30)
PAGES[547] = dominant_inverted("Rot", "roten", "Red Key", 546)
PAGES[549] = dominant_inverted("Blau", "blauen", "Blue Key", 548)

PAGES[31] = f"""
Entfernt die Pixel, deren Helligkeit zwischen
{{{{Helligkeit 1|cv.IDS_BRIGHTNESS1}}}} und {{{{Helligkeit 2|cv.IDS_BRIGHTNESS2}}}}
liegt (0 ist Schwarz, 1 Weiß). Mit 0 und 0.15 verschwindet der schwarze Hintergrund
eines Titels oder einer Feuerwerksaufnahme; mit 0.85 und 1 ein weißer. Die
[[umgekehrte Form|289]] behält stattdessen diesen Helligkeitsbereich.
{COMMON}
"""

PAGES[289] = f"""
Behält nur die Pixel, deren Helligkeit zwischen
{{{{Helligkeit 1|cv.IDS_BRIGHTNESS1}}}} und {{{{Helligkeit 2|cv.IDS_BRIGHTNESS2}}}}
liegt, und entfernt den Rest: das Gegenteil des [[Brightness Key|31]]. Mit 0.7 und
1 bleiben nur die Lichter eines Bildes, die dann über einem anderen Clip leuchten.
{COMMON}
"""

SHAPE_RADII = """Die beiden Radien, {{Radius 1|cv.IDS_RADIUS_1}} und
{{Radius 2|cv.IDS_RADIUS_2}}, setzen die äußere und die innere Kante eines weichen
Bandes; gleiche Werte ergeben eine harte Kante. Verschieben oder vergrößern Sie die
Form mit dem [[Effektrechteck|424]]; Schlüsselbilder auf den Radien öffnen oder
schließen sie wie eine Irisblende. Siehe [[Radien|432]]."""

SHAPE_SIZES = """Die beiden Größen, {{Größe 1|cv.IDS_SIZE1}} und
{{Größe 2|cv.IDS_SIZE2}}, setzen die äußere und die innere Kante eines weichen
Bandes um das Rechteck (1 reicht bis an die Seiten des Effektrechtecks). Gleiche
Größen ergeben eine harte Kante. Siehe [[Größenvariablen|433]]."""

PAGES[181] = f"""
Behält einen Kreis in der Mitte des Effektrechtecks und macht alles außerhalb davon
durchsichtig, mit weichem Rand. Das klassische Bullauge für Bild im Bild.

{SHAPE_RADII}
{COMMON}
"""

PAGES[241] = f"""
Schneidet ein rundes Loch in das Bild: Das Innere wird durchsichtig und der Rest
bleibt, so dass der Clip darunter durch ein rundes Fenster zu sehen ist. Das
Gegenteil des [[Circle Key|181]].

{SHAPE_RADII}
{COMMON}
"""

PAGES[244] = f"""
Behält ein Oval, das das Effektrechteck füllt, und entfernt das Äußere, mit weichem
Rand: ein Kreis, auf die Form des Rechtecks gedehnt. Das Gegenteil ist
[[Oval Key innen|243]].

{SHAPE_RADII}
{COMMON}
"""

PAGES[243] = f"""
Schneidet ein ovales Loch in das Bild: Sein Inneres wird durchsichtig. Das Gegenteil
des [[Oval Key außen|244]].

{SHAPE_RADII}
{COMMON}
"""

PAGES[247] = f"""
Behält ein Rechteck in der Mitte des Effektrechtecks und entfernt das Äußere, mit
weichem Rand: ein Beschnitt mit weichen Kanten.

{SHAPE_SIZES}
{COMMON}
"""

PAGES[248] = f"""
Schneidet ein rechteckiges Loch mit weichem Rand in das Bild. Das Gegenteil des
[[Rechteck-Key außen|247]].

{SHAPE_SIZES}
{COMMON}
"""

# -- Anpassen mit -------------------------------------------------------------------

ADJUST = """Die Farbänderung ist die des [[Anpassers|106]]:
{{Rot anpassen|cv.IDS_ADJ_RED}}, {{Grün|cv.IDS_ADJ_GREEN}}, {{Blau|cv.IDS_ADJ_BLUE}}
und {{Sättigung anpassen|cv.IDS_ADJ_SATURATION}}; das Bild bleibt deckend."""

def adjust_with(what, key, key_number, tip):
    return f"""
Ändert die Farben nur dort, wo {what}, wie es der [[{key}|{key_number}]] findet;
der Rest des Bildes bleibt, wie er war. {tip}

{ADJUST} Die eigenen Variablen des Keys wählen die Pixel, wie auf der Seite des
Keys beschrieben.
{COMMON}
"""

PAGES[252] = adjust_with("ein Pixel nicht zur Key-Farbe passt", "RGB Key", 28,
                         "Wählen Sie die zu schützende Farbe; alles andere wird angepasst.")
PAGES[253] = adjust_with("ein Pixel zur Key-Farbe passt", "RGB Key invertiert", 130,
                         "Wählen Sie die zu ändernde Farbe, etwa um ein rotes Auto blau zu machen.")
PAGES[254] = adjust_with("die Farbe eines Pixels von der Key-Farbe entfernt ist", "Chroma Key", 29,
                         "Wählen Sie einen Hautton, setzen Sie die Sättigung auf 0, und alles außer "
                         "den Gesichtern wird grau.")
PAGES[255] = adjust_with("die Farbe eines Pixels von der Key-Farbe entfernt ist", "Chroma Key", 29,
                         "Er wirkt wie [[Chroma Key Color|254]].")
PAGES[290] = adjust_with("Grün nicht der stärkste Kanal ist", "Green Key", 30,
                         "Sättigung 0 lässt nur das Grün farbig.")
PAGES[291] = adjust_with("Grün der stärkste Kanal ist", "Green Key invertiert", 288,
                         "Tönen Sie Gras und Blätter, ohne den Himmel zu berühren.")
PAGES[550] = adjust_with("Rot nicht der stärkste Kanal ist", "Red Key", 546,
                         "Sättigung 0 lässt nur das Rot farbig.")
PAGES[551] = adjust_with("Rot der stärkste Kanal ist", "Red Key invertiert", 547,
                         "Beruhigen Sie einen allzu roten Sonnenuntergang.")
PAGES[552] = adjust_with("Blau nicht der stärkste Kanal ist", "Blue Key", 548,
                         "Sättigung 0 lässt nur das Blau farbig.")
PAGES[553] = adjust_with("Blau der stärkste Kanal ist", "Blue Key invertiert", 549,
                         "Vertiefen Sie das Blau eines Himmels.")
PAGES[292] = adjust_with("die Helligkeit eines Pixels außerhalb des Fensters von Helligkeit 1 und 2 liegt",
                         "Brightness Key", 31,
                         "Mit einem Fenster von 0 bis 0.7 ändern sich nur die Lichter darüber: Wärmen "
                         "Sie sie für eine sonnige Stimmung.")
PAGES[293] = adjust_with("die Helligkeit eines Pixels innerhalb des Fensters von Helligkeit 1 und 2 liegt",
                         "Brightness Key invertiert", 289,
                         "Hellen Sie nur die Schatten auf oder tönen Sie sie (Fenster 0 bis 0.3).")
PAGES[256] = adjust_with("das Bild innerhalb eines weichen Kreises liegt", "Circle Key", 181,
                         "Hellen Sie die Bildmitte auf wie mit einem Spotlicht.")
PAGES[257] = adjust_with("das Bild außerhalb eines weichen Kreises liegt", "Circle Key innen", 241,
                         "Eine Vignette: Dunkeln Sie die Ecken ab oder entsättigen Sie sie (Rot, Grün "
                         "und Blau -0.3).")
PAGES[258] = adjust_with("das Bild innerhalb eines weichen Ovals liegt", "Oval Key außen", 244,
                         "Ein ovales Spotlicht, das der Form des Bildes folgt.")
PAGES[259] = adjust_with("das Bild außerhalb eines weichen Ovals liegt", "Oval Key innen", 243,
                         "Die ovale Vignette einer alten Fotografie.")
PAGES[260] = adjust_with("das Bild innerhalb eines weichen Rechtecks liegt", "Rechteck-Key außen", 247,
                         "Heben Sie ein Feld des Bildes hervor.")
PAGES[261] = adjust_with("das Bild außerhalb eines weichen Rechtecks liegt", "Rechteck-Key innen", 248,
                         "Grauen Sie alles um einen wichtigen Bereich herum aus.")

# -- Filter -------------------------------------------------------------------------

MATRIX = """{{Matrixgröße|cv.IDS_MATRIX_SIZE}} ist die Breite der Nachbarschaft in
Pixeln (3 bis 32; gerade Größen zählen als die nächste ungerade).
{{Effektstärke|cv.IDS_EFFECT_LEVEL}} mischt das Ergebnis mit dem Original, von 0
(keine Änderung) bis 1 (voller Effekt). Siehe [[Matrixvariablen|438]]."""

PAGES[149] = f"""
Macht das Bild weicher, indem jedes Pixel mit seinen Nachbarn gemittelt wird. Eine
kleine Größe mit einer Stärke, die per Schlüsselbild von 0 auf 1 steigt, lässt ein
Bild aus dem Fokus gleiten; eine große Größe ergibt einen weichen Hintergrund für
einen Titel.

{MATRIX}
{COMMON}
"""

PAGES[72] = f"""
Verwandelt das Bild in seine Umrisse: Flächen werden dunkel, und Kanten leuchten
auf. Mit geringer Stärke eingemischt, wirkt das Bild schärfer und wie gezeichnet.

{MATRIX}
{COMMON}
"""

PAGES[78] = f"""
Glättet die Kante, die ein Key hinterlässt: Er wirkt nur auf die Transparenz, so
dass ein freigestelltes Motiv einen sauberen, weichen Umriss statt eines
ausgefransten bekommt. Fügen Sie ihn nach dem Key hinzu (Effekte laufen in der
Reihenfolge, in der sie hinzugefügt wurden). Stärke 0 ergibt eine harte, aber
bereinigte Kante, höhere Stärken eine weichere. Größe 3 oder 5 reicht meist.

{MATRIX}
{COMMON}
"""

# -- Muster -------------------------------------------------------------------------

LOOP = """{{Musterverschiebung|cv.IDS_EFF_PATDIS}} verschiebt das Bild: 1 ist eine
ganze Breite des Effektrechtecks. Setzen Sie Schlüsselbilder von 0 am Anfang des
Clips bis 5 an seinem Ende, und das Bild rollt fünfmal durch, ohne sichtbare Naht."""

PAGES[439] = f"""
Rollt das Bild seitwärts in einer endlosen Schleife und blendet seine beiden Hälften
so ineinander, dass die Naht nicht zu sehen ist. Gemacht für Wolken, Wasser,
Texturen und Titelhintergründe.

{LOOP}
{COMMON}
"""

PAGES[440] = f"""
Rollt das Bild in einer endlosen Schleife nach oben oder unten, so wie
[[Überblendschleife horizontal|439]] seitwärts: aufsteigende Blasen, fallender
Regen, ein Abspann über einer Textur.

{LOOP}
{COMMON}
"""

PAGES[443] = f"""
Wickelt das Bild um eine liegende Trommel: Das Bild wiederholt sich senkrecht und
lässt sich an seiner oberen und unteren Kante verschieden verschieben und dehnen.
Die Positionen ({{{{Position oben|cv.IDS_ROTX_TOP_POS}}}},
{{{{Position unten|cv.IDS_ROTX_BOT_POS}}}}) verschieben das Bild, um ein halbes
Rechteck je Einheit; die Frequenzen ({{{{Frequenz oben|cv.IDS_ROTX_TOP_FREQ}}}},
{{{{Frequenz unten|cv.IDS_ROTX_BOT_FREQ}}}}) sagen, wie oft es sich über die Breite
wiederholt. Verschiedene Werte oben und unten ergeben eine perspektivische Neigung;
Positionen mit Schlüsselbildern lassen es rollen.
{COMMON}
"""

PAGES[449] = f"""
Wickelt das Bild um eine stehende Trommel: Es wiederholt sich waagerecht und lässt
sich an seiner linken und rechten Kante verschieden verschieben und dehnen
({{{{Position links|cv.IDS_ROTY_LEF_POS}}}}, {{{{Position rechts|cv.IDS_ROTY_RIT_POS}}}},
{{{{Frequenz links|cv.IDS_ROTY_LEF_FREQ}}}}, {{{{Frequenz rechts|cv.IDS_ROTY_RIT_FREQ}}}}).
Es ist [[Drehen X|443]], um eine Vierteldrehung gedreht: Schlüsselbilder auf den
Positionen ergeben einen sich drehenden Zylinder.
{COMMON}
"""

# -- Sonstige -----------------------------------------------------------------------

PAGES[282] = f"""
Zeigt oder verbirgt das Bild hinter einer wandernden geraden Kante: der Übergang
zwischen zwei Clips auf benachbarten Spuren.

{{{{Fortschritt|cv.IDS_PROGRESS}}}} bewegt die Kante: -1 verbirgt das ganze Bild, 1
zeigt alles. {{{{Wischwinkel|cv.IDS_WIPEANGLE}}}} dreht die Richtung (0 wischt von
links, 90 von unten). {{{{Glättung|cv.IDS_SMOOTHING}}}} setzt die Weichheit der
Kante: 0.7 ergibt eine scharfe Kante, Werte nahe 0.99 eine breite, weiche
Mischung.

Führen Sie Fortschritt per Schlüsselbild in einer Sekunde von -1 auf 1 für ein
Hereinwischen; siehe das Tutorial
[[Eine Wischblende zwischen zwei Clips|7/tuts/wipe.vrh]].
{COMMON}
"""

PAGES[266] = f"""
Dreht das Bild um einen Mittelpunkt. {{{{Winkel in Grad|cv.IDS_ANGLE}}}} dreht es
um bis zu eine ganze Umdrehung in jede Richtung, {{{{Umdrehungen|cv.IDS_ROTATIONS}}}}
fügt ganze Umdrehungen hinzu; Schlüsselbilder von 0 bis 3 auf Umdrehungen drehen
das Bild also dreimal. {{{{Mitte X|cv.IDS_CENTERX}}}} und
{{{{Mitte Y|cv.IDS_CENTERY}}}} setzen den Mittelpunkt (0.5, 0.5 ist die Mitte), den
die Vorschau mit einem kleinen Fadenkreuz markiert. Teile, die aus dem Rechteck
gedreht werden, werden durchsichtig.
{COMMON}
"""

PAGES[297] = f"""
Biegt das Bild, als sähe man es durch eine gekrümmte Linse:
{{{{Verzerrung X|cv.IDS_DISTORTX}}}} dehnt die eine Seite und staucht die andere
quer über das Bild, {{{{Verzerrung Y|cv.IDS_DISTORTY}}}} tut dasselbe von oben nach
unten; positive und negative Werte biegen zu entgegengesetzten Seiten, und 0 lässt
es gerade. Schlüsselbilder auf beiden ergeben ein wackelndes, atmendes Bild.
{COMMON}
"""

PAGES[419] = f"""
Presst das Bild Zeile für Zeile in eine Ellipse, die das Effektrechteck füllt; die
Ecken darum werden durchsichtig. Die Farbwerte ({{{{Rot|cv.IDS_RED}}}},
{{{{Grün|cv.IDS_GREEN}}}}, {{{{Blau|cv.IDS_BLUE}}}} oder die
[[Farbpipette|616]]) geben die Farbe dieses durchsichtigen Grundes an. Legen Sie
ein kleines Effektrechteck auf ein Gesicht für eine komische Beule.
{COMMON}
"""

PAGES[679] = f"""
Zeichnet einen Rahmen um das Bild, innerhalb des Effektrechtecks.
{{{{Rahmengröße|cv.IDS_FRAME_SIZE}}}} ist seine Breite (0.1 ist ein Zehntel von Breite
plus Höhe), {{{{Rahmenschattierung|cv.IDS_FRAME_SHADING}}}} schattiert seine Seiten
für einen erhabenen (über 0) oder versenkten (unter 0) Eindruck, und die Gruppe
[[Rahmenfarbe|680]] gibt seine Farbe an. Ohne aktuellen Clip hinzugefügt, rahmt er
den ganzen Film, wie im Beispielprojekt.
{COMMON}
"""

PAGES[676] = f"""
Dunkelt die obere und die linke Kante des Bildes nach innen verlaufend ab, so dass
es in den Bildschirm versenkt scheint. {{{{Schattengröße|cv.IDS_SHADOW_SIZE}}}}
setzt, wie weit der Schatten reicht.
{COMMON}
"""

PAGES[122] = """
Effekte aus Plugin-Bibliotheken, die neben Vantrel installiert sind. Ihre Variablen
sind die, die das Plugin deklariert, nach dem üblichen [[Effektrechteck|424]] und
den [[Schaltern|521]]. Was sie tun, beschreibt ihr Hersteller.
"""

# -- Ton ----------------------------------------------------------------------------

PAGES[142] = """
Setzt die Lautstärke und die Links-Rechts-Balance des Clip-Tons.
{{Lautstärke|ca.IDS_VOLUME}} reicht von 0 (stumm) bis 1 (wie aufgenommen).
{{Panorama|ca.IDS_PAN}} reicht von -1 (nur links) über 0 (beide) bis +1 (nur
rechts).

Beide können Schlüsselbilder haben: Eine Blende sind zwei Schlüsselbilder der
Lautstärke, Ducking ist eine Senke in der Lautstärke der Musik, während eine Stimme
oder ein Geräusch spielt. [[Mit Lautstärken arbeiten|210]] zeigt die
Lautstärkekurven zum Ziehen. Das Tutorial
[[Ton mischen und absenken|7/tuts/audio.vrh]] macht beides. Wie jeder Effekt folgt
er seinen [[Schaltern|521]].
"""

PAGES[514] = """
Formt die Dynamik des Tons mit vier Pegelbändern neu: wie laut leise Klänge
({{Tiefes Band|ca.IDS_COMP4}}), untere Mitte ({{Unteres Mittelband|ca.IDS_COMP3}}),
obere Mitte ({{Oberes Mittelband|ca.IDS_COMP2}}) und laute Klänge
({{Hohes Band|ca.IDS_COMP1}}) herauskommen. Mit den Voreinstellungen (0.25, 0.5,
0.75, 1) geht der Ton unverändert hindurch.

Zum Komprimieren (eine Stimme ausgleichen): Heben Sie die tiefen Bänder an, etwa
auf 0.4 und 0.65, und senken Sie das hohe Band auf 0.85. Zum Expandieren (mehr
Druck): Senken Sie die tiefen Bänder. Siehe [[Audioeffekte|606]].
"""
