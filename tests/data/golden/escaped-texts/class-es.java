/* CLASE Escapes
 * ------------------------------------
 * Proyecto...:
 * Descripción:
 * Fecha......: Feb - 2023
 * Autor......: Vaporina versión 1.02 - Generador Automático
 */

import java.awt.*;
import java.awt.event.*;
import javax.swing.*;

public class Escapes extends JFrame {

// Inserta los datos de la Creación de los Objetos aquí

  public Escapes() {
    try {
      mostra();
    } catch(Exception ex) {
      ex.printStackTrace();
    }
  }

  public void mostra() throws Exception {

// Inserta los datos de la Creación de la Ventana aquí

// Inserta los datos de la Creación de los Mandos aquí en la Ventana

    this.addWindowListener(new java.awt.event.WindowAdapter() {
      public void windowClosing(WindowEvent e) {
        alCerrar(e);
      }
    });
  }

  private void alCerrar(WindowEvent e) {
    System.exit(0);
  }

  public static void main(String args[]) {
    Escapes janela = new Escapes();
    janela.show();
  }
}
