"""Die Seiten einzelner Variablen: was F1 über einer Zeile des Parameterbereichs
öffnet. Der Browser fügt Name, Bereich, Standardwert und Schlüsselbilder der
Variablen unter dem Text an; die Texte überlassen ihm daher die Zahlen, wenn sie
keiner Erklärung bedürfen."""

PAGES = {}

KEYS = "Setzen Sie den Wert zu einer Zeit und erneut zu einer anderen, um ihn zu animieren."

# -- Rechtecke ------------------------------------------------------------------------

EDGES = ("linke", "obere", "rechte", "untere")
EDGE_LINKS = ("links", "oben", "rechts", "unten")


def rect_pages(first, owner, group, what, whose, meaning):
    for i, edge in enumerate(EDGES):
        other = ", ".join(f"[[{e}|{first + j}]]" for j, e in enumerate(EDGE_LINKS) if j != i)
        PAGES[first + i] = f"""
Die {edge} Kante {whose}, als Bruchteil: {meaning[i]} Die anderen Kanten: {other}.
Teil des [[{what}|{group}]]; ziehen Sie die Eckgriffe des Bildes oder verwenden
Sie das [[Rechteckfeld|375]], um alle vier auf einmal zu setzen. {KEYS}
"""


rect_pages(45, "cc", 422, "Quellrechtecks", "des Quellrechtecks", (
    "0 nimmt das Bild ab seiner eigenen linken Kante, 0.5 ab seiner Mitte.",
    "0 nimmt das Bild ab seiner eigenen Oberkante, 0.5 ab halber Höhe.",
    "1 nimmt das Bild bis zu seiner eigenen rechten Kante, 0.5 nur seine linke Hälfte.",
    "1 nimmt das Bild bis zu seiner Unterkante, 0.5 nur seine obere Hälfte.",
))
rect_pages(49, "cc", 423, "Zielrechtecks", "des Zielrechtecks", (
    "0 ist die linke Seite des Ausgabebildes, 1 seine rechte; unter 0 beginnt der Clip "
    "außerhalb des Bildschirms.",
    "0 ist die Oberkante des Ausgabebildes, 1 seine Unterkante; unter 0 beginnt der Clip "
    "über dem Bildschirm.",
    "1 ist die rechte Seite des Ausgabebildes; über 1 reicht der Clip darüber hinaus.",
    "1 ist die Unterkante des Ausgabebildes; über 1 reicht der Clip darunter hinaus.",
))
rect_pages(53, "cv", 424, "Effektrechtecks", "des Effektrechtecks", (
    "0 lässt den Effekt an der linken Kante des Bildes beginnen.",
    "0 lässt den Effekt an der Oberkante des Bildes beginnen.",
    "1 lässt den Effekt bis an die rechte Kante des Bildes reichen.",
    "1 lässt den Effekt bis an die Unterkante des Bildes reichen.",
))

# -- Clipvariablen --------------------------------------------------------------------

PAGES[231] = """
Welchen Moment eines Films (oder einer Unteranordnung) der Clip zeigt: 0 ist das
erste Bild, 1 das letzte. Ein neuer Clip bekommt zwei Schlüsselbilder, 0 an seinem
Anfang und 1 dort, wo sein Medium endet, so dass er mit normaler Geschwindigkeit
spielt. Für Zeitlupe lassen Sie den Wert 1 später erreichen: Setzen Sie 1 zu einer
späteren Zeit und löschen Sie das Schlüsselbild am Ende des Mediums; erreicht er 1
früher, spielt er schneller. Zwei Schlüsselbilder mit demselben Wert ergeben ein
Standbild; ein fallender Wert spielt rückwärts. Der Ton bleibt unberührt. Siehe
[[Clipvariablen|425]].
"""

PAGES[554] = """
Wird zur Deckkraft des eigenen Clipbildes addiert, bevor irgendein Effekt läuft: 1
macht ein Bild ohne Transparenz ganz sichtbar, 0.5 halb, 0 oder weniger unsichtbar.
Ein Titel beginnt bei 0, bis Sie ein Schlüsselbild setzen. Schlüsselbilder von 0
auf 1 über eine Sekunde blenden den Clip ein. Siehe [[Clipvariablen|425]] und, für
Blenden nach den Effekten, den Effekt [[Deckkraft|103]].
"""

# -- Farben ---------------------------------------------------------------------------

CHANNELS = ("Rot", "Grün", "Blau", "Alpha")


def colour_pages(first, group, what, group_name):
    for i, channel in enumerate(CHANNELS):
        if channel == "Alpha":
            text = f"Die Deckkraft der {what}: 0 durchsichtig, 1 deckend."
        else:
            text = f"Der {channel}anteil der {what}, von 0 (keiner) bis 1 (voll)."
        PAGES[first + i] = f"""
{text} Rot, Grün und Blau mischen zusammen die Farbe: 1, 1, 0 ist Gelb, 0.5, 0.5,
0.5 Grau. Teil von [[{group_name}|{group}]]. {KEYS}
"""


colour_pages(399, 394, "Farbe der Buchstaben eines Titels", "Vordergrundfarbe")
colour_pages(395, 393, "Farbe, auf die ein Titel gezeichnet wird", "Hintergrundfarbe")
colour_pages(656, 655, "linken oberen Ecke eines Verlaufs", "Farbe links oben")
colour_pages(661, 660, "rechten oberen Ecke eines Verlaufs", "Farbe rechts oben")
colour_pages(666, 665, "rechten unteren Ecke eines Verlaufs", "Farbe rechts unten")
colour_pages(671, 670, "linken unteren Ecke eines Verlaufs", "Farbe links unten")
colour_pages(681, 680, "Rahmenfarbe von Rahmenstil 1", "Rahmenfarbe")

# -- Titel ----------------------------------------------------------------------------

PAGES[280] = """
Die Größe der Buchstaben eines Titels in Punkt. Das Titelbild ist so groß wie das
Ausgabebild; eine größere Schrift füllt also mehr davon, und eine lange Zeile in
großer Schrift läuft über die Ränder hinaus. Schlüsselbilder lassen die Wörter
wachsen. Siehe [[Schriftvariablen|426]].
"""
PAGES[281] = """
Wie kräftig die Buchstaben des Titels sind: 0 die dünnste Form der Schrift, 0.5
normal, 1 die fetteste. Siehe [[Schriftvariablen|426]].
"""
PAGES[388] = """
Ein Schalter: an zeichnet den Titel kursiv. Schalter wechseln bei ihren
Schlüsselbildern, statt zu überblenden. Siehe [[Schriftvariablen|426]].
"""
PAGES[389] = """
Ein Schalter: an unterstreicht die Wörter des Titels. Schalten Sie ihn mit
Schlüsselbildern ein und aus, um die Linie blinken zu lassen. Siehe
[[Schriftvariablen|426]].
"""
for number, name in ((390, "Der Schattenabstand"), (391, "Der Schattenwinkel"),
                     (392, "Der Schalter für den Schatten innen")):
    PAGES[number] = f"""
{name} eines Titels. Er wird mit dem Titel gehalten und mit Schlüsselbildern
versehen, aber diese Version von Vantrel zeichnet Titel ohne Schatten;
[[Schattenvariablen|427]] zeigt, wie Sie mit einem zweiten Titel einen machen.
"""

# -- Effektschalter -------------------------------------------------------------------

PAGES[519] = """
Schaltet den Effekt für den ganzen Clip ein (1) oder aus (0): Er hat einen Wert,
keine Schlüsselbilder. Schalten Sie ihn aus, um das Bild mit und ohne den Effekt zu
vergleichen. Siehe [[Effektschalter|521]].
"""
PAGES[520] = """
Schaltet den Effekt über die Zeit ein oder aus: Setzen Sie ihn zu einem Moment per
Schlüsselbild aus und zu einem anderen an, um den Effekt nur für einen Teil des
Clips zu verwenden. Siehe [[Effektschalter|521]].
"""

# -- Effektvariablen ------------------------------------------------------------------

PAGES[104] = """
Wie viel der Effekt [[Deckkraft|103]] zur Deckkraft des Bildes hinzufügt oder
davon wegnimmt: -1 verbirgt es, 0 lässt es, 1 macht es deckend. Schlüsselbilder von
0 auf -1 blenden aus.
"""
PAGES[678] = """
Wie weit der Schatten von [[Versenkter Schatten links oben|676]] ins Bild reicht,
als Anteil seiner Breite plus Höhe.
"""
PAGES[685] = """
Die Breite des Rahmens von [[Rahmenstil 1|679]], als Anteil der Breite plus Höhe
des Bildes: 0.03 ist eine dünne Linie, 0.25 der breiteste.
"""
PAGES[686] = """
Die Schattierung des Rahmens von [[Rahmenstil 1|679]]: über 0 werden die obere und
linke Seite dunkler und die anderen heller (ein erhabener Rahmen), unter 0
umgekehrt (versenkt), 0 ein flacher Rahmen.
"""
PAGES[283] = """
Die Richtung der [[Wischblende|282]] in Grad: 0 deckt von links auf, 90 von unten,
180 von rechts, 270 von oben; alles dazwischen neigt die Kante.
"""
PAGES[276] = """
Wie weit die [[Wischblende|282]] vorangekommen ist: -1 verbirgt das ganze Bild, 1
zeigt alles. Schlüsselbilder von -1 auf 1 wischen herein, von 1 auf -1 hinaus.
"""
PAGES[277] = """
Die Weichheit der Kante der [[Wischblende|282]]: 0.7 scharf, bis 0.99 eine breite
Mischung.
"""
PAGES[267] = """
Die Drehung des [[Rotators|266]] in Grad, zu seinen ganzen
[[Umdrehungen|268]] addiert. Positive und negative Werte drehen in entgegengesetzte
Richtungen.
"""
PAGES[268] = """
Ganze Umdrehungen des [[Rotators|266]]: Schlüsselbilder von 0 auf 2 ergeben zwei
volle Drehungen.
"""
PAGES[269] = """
Die waagerechte Lage des Mittelpunkts des [[Rotators|266]], als Bruchteil der
Bildbreite (0.5 die Mitte). Die Vorschau markiert den Mittelpunkt.
"""
PAGES[270] = """
Die senkrechte Lage des Mittelpunkts des [[Rotators|266]], als Bruchteil der
Bildhöhe (0.5 die Mitte).
"""
PAGES[298] = """
Wie stark [[Quadratwurzel|297]] das Bild quer biegt; 0 ist gerade, und das
Vorzeichen wählt, welche Seite gedehnt wird.
"""
PAGES[299] = """
Wie stark [[Quadratwurzel|297]] das Bild von oben nach unten biegt; 0 ist gerade.
"""
PAGES[441] = """
Wie weit die Überblendschleifen ([[horizontal|439]], [[vertikal|440]]) gerollt
sind, in ganzen Bildbreiten oder -höhen. Steigende Schlüsselbilder ergeben ein
endloses Rollen.
"""
PAGES[286] = """
Das eine Ende des Helligkeitsfensters des [[Brightness Key|31]] und der Keys nach
vorherrschender Farbe ([[Green Key|30]] und die übrigen): Pixel zwischen
Helligkeit 1 und [[Helligkeit 2|287]] zählen, wobei 0 Schwarz ist und 1 Weiß.
"""
PAGES[287] = """
Das andere Ende des Helligkeitsfensters des [[Brightness Key|31]] und der Keys nach
vorherrschender Farbe; siehe [[Helligkeit 1|286]]. Welcher der beiden Werte größer
ist, spielt keine Rolle.
"""
PAGES[123] = """
Die Lautstärke von [[Lautstärke/Panorama|142]]: 0 stumm, 1 wie aufgenommen.
Schlüsselbilder ergeben Blenden und das Absenken von Musik unter eine Stimme;
[[Mit Lautstärken arbeiten|210]] zeigt sie als Kurve.
"""
PAGES[150] = """
Die Balance von [[Lautstärke/Panorama|142]]: -1 nur links, 0 beide Seiten, 1 nur
rechts. Schlüsselbilder lassen einen Klang hinüberwandern.
"""

# -- Anpasser, Mapper -----------------------------------------------------------------

for number, channel in ((107, "Rot"), (108, "Grün"), (109, "Blau")):
    PAGES[number] = f"""
Fügt dem Bild {channel} hinzu (über 0) oder nimmt es weg (unter 0); 1 fügt die
volle Menge hinzu. Verwendet vom [[Anpasser|106]] und den Effekten von
[[Anpassen mit|251]]; siehe [[Anpasser-Variablen|430]].
"""
PAGES[110] = """
Erhöht die Deckkraft des Bildes (über 0) oder verringert sie (unter 0). Verwendet
vom [[Anpasser|106]]; die Effekte von [[Anpassen mit|251]] lassen die Deckkraft
unberührt.
"""
PAGES[240] = """
Wie farbig das Bild bleibt: 1 unverändert, 0 schwarzweiß, dazwischen blasse
Farben. Verwendet vom [[Anpasser|106]] und den Effekten von
[[Anpassen mit|251]].
"""

for number, channel, end in ((112, "Rot", 0), (113, "Rot", 1), (114, "Grün", 0), (115, "Grün", 1),
                             (116, "Blau", 0), (117, "Blau", 1), (118, "Deckkraft", 0), (119, "Deckkraft", 1)):
    partner = number + 1 if end == 0 else number - 1
    whose = "der Deckkraft" if channel == "Deckkraft" else f"des Kanals {channel}"
    if end == 0:
        text = (f"Was im [[Mapper|111]] aus dem Dunkelsten (null) {whose} wird: 0 behält es, "
                f"höhere Werte heben es an.")
    else:
        text = (f"Was im [[Mapper|111]] aus dem Hellsten (voll) {whose} wird: 1 behält es, "
                f"niedrigere Werte dämpfen es.")
    PAGES[number] = f"""
{text} Der Partnerwert ist [[{channel} {1 - end}|{partner}]]; vertauschen Sie die
beiden, um den Kanal umzukehren. Siehe [[Mapper-Variablen|431]].
"""

# -- Formen ---------------------------------------------------------------------------

PAGES[187] = """
Eine Kante des weichen Bandes der Kreis- und Oval-Keys und ihrer Formen in
[[Anpassen mit|251]]; die andere ist [[Radius 2|188]]. Der größere Radius ist die
äußere Kante. 1 reicht bis in die Ecken des [[Effektrechtecks|424]].
"""
PAGES[188] = """
Die andere Kante des weichen Bandes der Kreis- und Oval-Keys; siehe
[[Radius 1|187]]. Gleiche Radien ergeben eine harte Kante.
"""
PAGES[249] = """
Eine Kante des weichen Randes der Rechteck-Keys und ihrer Formen in
[[Anpassen mit|251]]; die andere ist [[Größe 2|250]]. 1 reicht bis an die Seiten
des [[Effektrechtecks|424]].
"""
PAGES[250] = """
Die andere Kante des weichen Randes der Rechteck-Keys; siehe [[Größe 1|249]].
Gleiche Größen ergeben eine harte Kante.
"""

# -- Drehen X und Y -------------------------------------------------------------------

for number, edge, kind, effect in ((445, "oberen", "position", 443), (448, "oberen", "frequency", 443),
                                   (447, "unteren", "position", 443), (455, "unteren", "frequency", 443),
                                   (451, "linken", "position", 449), (454, "linken", "frequency", 449),
                                   (453, "rechten", "position", 449), (456, "rechten", "frequency", 449)):
    name = "Drehen X" if effect == 443 else "Drehen Y"
    if kind == "position":
        text = (f"Die Position an der {edge} Kante von [[{name}|{effect}]] verschiebt das "
                f"umgewickelte Bild dort, um ein halbes Rechteck je Einheit. Schlüsselbilder "
                f"lassen das Bild rollen.")
    else:
        text = (f"Die Frequenz an der {edge} Kante von [[{name}|{effect}]] sagt, wie oft sich "
                f"das Bild dort über die Breite wiederholt; 1 zeigt es einmal.")
    PAGES[number] = f"""
{text} Verschiedene Werte an den beiden Kanten neigen die Trommel perspektivisch.
"""

# -- Keys -----------------------------------------------------------------------------

for number, channel in ((38, "Rot"), (39, "Grün"), (40, "Blau")):
    PAGES[number] = f"""
Der {channel}anteil der Key-Farbe des [[RGB Key|28]] und des [[Chroma Key|29]], von
0 bis 1, und des Grundes der [[Blase|419]]. Mit der [[Farbpipette|616]] ist er
leichter zu setzen als von Hand. Siehe [[RGB-Key-Variablen|436]].
"""
for number, channel in ((42, "Rot"), (43, "Grün"), (44, "Blau")):
    PAGES[number] = f"""
Wie weit das {channel} eines Pixels vom {channel} der Key-Farbe abweichen darf und
trotzdem vom [[RGB Key|28]] entfernt wird: 0.1 ist ein Zehntel des ganzen Bereichs.
Erhöhen Sie den Wert, bis der Hintergrund verschwunden ist, nicht weiter. Siehe
[[RGB-Key-Variablen|436]].
"""
PAGES[242] = """
Wie weit die Farbe eines Pixels von der Key-Farbe des [[Chroma Key|29]] abweichen
darf und trotzdem entfernt wird. Halten Sie den Wert klein, um Farben nahe der des
Hintergrunds zu schonen.
"""
PAGES[246] = """
Wie weit die Helligkeit eines Pixels von der der Key-Farbe im [[Chroma Key|29]]
abweichen darf: Erhöhen Sie den Wert, um die Schatten und Lichter des Hintergrunds
einzuschließen.
"""

# -- Filter, Kompressor ---------------------------------------------------------------

PAGES[73] = """
Die Breite der Nachbarschaft, die die [[Faltungsfilter|77]] betrachten, in Pixeln:
3 ist feines Detail, größere Werte wirken breiter und brauchen länger. Gerade
Größen zählen als die nächste ungerade.
"""
PAGES[74] = """
Wie viel des gefilterten Bildes in den [[Faltungsfiltern|77]] das Original ersetzt:
0 nichts, 1 alles. Beim [[Key-Glätter|78]] ist es die Weichheit der Kante.
"""
for number, band, level in ((515, "die lautesten Klänge", "1"), (516, "die Klänge der oberen Mitte", "0.75"),
                            (517, "die Klänge der unteren Mitte", "0.5"), (518, "die leisesten Klänge", "0.25")):
    PAGES[number] = f"""
Wie laut {band} aus dem [[4-Band-Kompressor / Expander|514]]
herauskommen; {level} lässt sie, wie sie sind. Heben Sie die leisen Bänder an, um zu
komprimieren, senken Sie sie, um zu expandieren.
"""
