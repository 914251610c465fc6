/* CLASSE Teste
 * ------------------------------------
 * Projeto..:
 * Descrição:
 * Data.....: Jan - 2025
 * Autor....: Vaporina versão 1.02 - Gerador Automático
 */

import java.awt.*;
import java.awt.event.*;
import javax.swing.*;

public class Teste extends JFrame {

// Insira aqui os dados da Criação dos Objetos

  public Teste() {
    try {
      mostra();
    } catch(Exception ex) {
      ex.printStackTrace();
    }
  }

  public void mostra() throws Exception {

// Insira aqui os dados da Criação da Janela

// Insira aqui os dados da Criação dos Controles na Janela

    this.addWindowListener(new java.awt.event.WindowAdapter() {
      public void windowClosing(WindowEvent e) {
        aoFechar(e);
      }
    });
  }

  private void aoFechar(WindowEvent e) {
    System.exit(0);
  }

  public static void main(String args[]) {
    Teste janela = new Teste();
    janela.show();
  }
}
